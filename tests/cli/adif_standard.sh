# `adif --standard`: ADIF 3.1.4 in UTF-8, read back by an ADIF library of its own
# (tests/cli/adif-reader) and checked field by field against what `list` shows of the log;
# lengths count characters, so a note with letters of two and three UTF-8 bytes reads whole.
source "$(dirname "$0")/testlib.bash"
T=$'\t'
READER="$SRC/tests/cli/adif-reader"
if ! command -v node >/dev/null || [ ! -d "$READER/node_modules/adif-parser-ts" ]; then
  echo "FAIL: the ADIF reader needs node and 'npm ci --prefix tests/cli/adif-reader'"
  exit 1
fi
VERSION=$("$CLI" --version)
VERSION=${VERSION#mirva-cli }

mkdir "$WORK/log"
cp "$SRC/tests/data/contest/CTY.DAT" "$SRC/data/RUS.DOM" "$WORK/log/"
L=("$CLI" --dir "$WORK/log" --contest "Russian DX contest" --station call=DL1ABC)
add() { "${L[@]}" add "$@" >/dev/null || echo "FAIL: add $*"; }
add --at "2025-03-15 12:00" --call UA3ABC --band 20 --mode SSB --rcvd MA --note "Привет <EOR> №1 «x»"
add --at "2025-03-15 12:05" --call K1ABC --band 40 --mode CW --rcvd 5
add --at "2025-03-15 12:07" --call G4ABC --band 15 --mode CW --rcvd 9
add --at "2025-03-15 12:10" --call JA1XYZ --band 80 --mode SSB --rcvd 12 --rst-s ""
# A callsign blanked in the file (an edit refuses to blank it): that QSO is left out.
printf '\0' | dd of="$WORK/log/mrvtest.dat" bs=1 seek=$((2 * 264 + 17)) conv=notrunc status=none

expect_output "export counts the QSOs written" "Exported: 3 QSOs" -- \
  "${L[@]}" adif --standard --out "$WORK/log.adi"
check "the left-out QSO reported" -- grep -qx "Left out: 1 QSOs without date, time, call, band or mode" "$WORK/stderr"

# What each QSO of `list` must read back as.
"${L[@]}" list | awk -F'\t' -v OFS='\t' '$4 != "" {
  date = $2; gsub("-", "", date); time = $3; sub(":", "", time)
  out = "call=" $4 OFS "qso_date=" date OFS "time_on=" time OFS "band=" $5 "m" OFS "mode=" $6
  if ($6 == "SSB") out = out OFS "submode=" ($5 >= 40 ? "LSB" : "USB")
  out = out OFS "contest_id=RDXC"
  if ($7 != "") out = out OFS "rst_sent=" $7
  if ($9 != "") out = out OFS "rst_rcvd=" $9
  out = out OFS ($8 ~ /^[0-9]+$/ ? "stx=" : "stx_string=") $8
  out = out OFS ($10 ~ /^[0-9]+$/ ? "srx=" : "srx_string=") $10
  out = out OFS "station_callsign=DL1ABC"
  if ($16 != "") out = out OFS "comment=" $16
  print out
}' >"$WORK/expected"
node "$READER/read.js" "$WORK/log.adi" utf-8 >"$WORK/read" || echo "FAIL: the reader"
check "the header names the version, the program and when" -- grep -qxE \
  "adif_ver=3\.1\.4${T}programid=Mirva contest module${T}programversion=$VERSION${T}created_timestamp=[0-9]{8} [0-9]{6}" \
  <(sed -n 2p "$WORK/read")
check "three records" -- [ "$(wc -l <"$WORK/expected")" -eq 3 ]
check "every field as the log has it" -- diff "$WORK/expected" <(tail -n +3 "$WORK/read")
check "UTF-8 in the file" -- grep -q "Привет <EOR> №1 «x»" "$WORK/log.adi"

"$CLI" --dir "$WORK/log" adif --standard --out "$WORK/none.adi" >/dev/null
check "no contest, no CONTEST_ID" -- [ "$(grep -c CONTEST_ID "$WORK/none.adi")" -eq 0 ]
# The export without --standard is the program's own, as adif.sh checks it.
"$CLI" --dir "$WORK/log" adif --out "$WORK/own.adi" >/dev/null
check "the default export stays the program's own" -- \
  grep -q "^ADIF file created by Mirva contest mode" "$WORK/own.adi"
finish
