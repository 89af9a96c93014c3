# `adif` writes the log as an ADIF file, read back here by an ADIF library of its own
# (tests/cli/adif-reader, installed by `npm ci` in test.sh); refusals and write errors.
source "$(dirname "$0")/testlib.bash"
T=$'\t'
READER="$SRC/tests/cli/adif-reader"
if ! command -v node >/dev/null || [ ! -d "$READER/node_modules/adif-parser-ts" ]; then
  echo "FAIL: the ADIF reader needs node and 'npm ci --prefix tests/cli/adif-reader'"
  exit 1
fi

mkdir "$WORK/log" "$WORK/elsewhere"
cp "$SRC/tests/data/contest/CTY.DAT" "$WORK/log/"
L=("$CLI" --dir "$WORK/log" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
"${L[@]}" import - >/dev/null <<'EOF_LOG'
QSO: 14025 CW 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16
QSO: 21020 CW 2025-11-29 2359 DL1ABC 599 14 JA1XYZ 579 25
QSO: 7010 CW 2025-11-30 0005 DL1ABC 599 14 K1ABC 599 5
EOF_LOG
"${L[@]}" add --at "2025-11-30 00:06" --call G4ABC --band 40 --rst-s "" --rcvd 14 \
  --note "Привет <EOR>" >/dev/null
# A callsign blanked in the file (an edit refuses to blank it): that QSO is left out.
printf '\0' | dd of="$WORK/log/mrvtest.dat" bs=1 seek=$((2 * 264 + 17)) conv=notrunc status=none

# Written relative to the current folder, not to --dir.
cd "$WORK/elsewhere" || exit 1
expect_output "export counts the QSOs written" "Exported: 3 QSOs" -- \
  "$CLI" --dir "$WORK/log" adif --out log.adi
check "the left-out QSO reported" -- grep -qx "Left out: 1 QSOs without date, time, call, band or mode" "$WORK/stderr"
check "written in the current folder" -- [ -f "$WORK/elsewhere/log.adi" ]
check "not written in --dir" -- [ ! -e "$WORK/log/log.adi" ]
check "five lines, each ending in CR LF" -- [ "$(grep -c $'\r$' log.adi)/$(wc -l <log.adi)" = 5/5 ]

expect_output "read back by the ADIF library" "ADIF file created by Mirva contest mode
qso_date=20251129${T}time_on=0001${T}call=UA3ABC${T}band=20${T}mode=CW${T}rst_sent=599${T}rst_rcvd=599${T}comment=Sent #599 14 Rcvd #599 16 
qso_date=20251129${T}time_on=2359${T}call=JA1XYZ${T}band=15${T}mode=CW${T}rst_sent=599${T}rst_rcvd=579${T}comment=Sent #599 14 Rcvd #579 25 
qso_date=20251130${T}time_on=0006${T}call=G4ABC${T}band=40${T}mode=CW${T}rst_rcvd=599${T}comment=Sent # 14 Rcvd #599 14 Привет <EOR>" \
  -- node "$READER/read.js" log.adi

expect_failure "adif without --out" "adif needs the file to write: --out FILE" -- \
  "$CLI" --dir "$WORK/log" adif
finish
