# mirva-cli.exe under wine on small logs: add, import, list, totals and the reports, byte for
# byte against the hand-written reports and, when a native mirva-cli is given, its output.
# Arguments: the Windows mirva-cli, the source folder, the native mirva-cli (optional).
source "$(dirname "$0")/../cli/testlib.bash"
WIN=(wine "$1")
NATIVE="${3:-}"

expected() {
  sed -e 's/|$//' -e "s/@TODAY@/$(date -u +%m-%d-%Y)/" "$SRC/tests/data/reports/$1" |
    iconv -f UTF-8 -t CP866 | sed 's/$/\r/'
}
# same_bytes NAME EXPECTED_FILE ACTUAL_FILE
same_bytes() {
  cmp -s "$2" "$3" || { echo "FAIL: $1" && diff <(cat -A "$2") <(cat -A "$3") | head -20 &&
    failures=$((failures + 1)); }
}
new_dir() {
  mkdir -p "$1"
  cp "$SRC/tests/data/contest/CTY.DAT" "$1/"
}

# The CQ WW log of the native report tests.
D="$WORK/cqww"
new_dir "$D"
CQWW=("${WIN[@]}" --dir "$D" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
for qso in "2025-11-29 00:01 UA3ABC 20" "2025-11-29 00:02 K1ABC 20" "2025-11-29 01:07 JA1XYZ 40" \
  "2025-11-29 01:10 UA3ABC 20" "2025-11-29 01:15 DK2ABC 40"; do
  read -r day at call band <<<"$qso"
  "${CQWW[@]}" add --at "$day $at" --call "$call" --band "$band" >/dev/null 2>"$WORK/stderr" ||
    { echo "FAIL: add $qso" && cat "$WORK/stderr" && failures=$((failures + 1)); }
done
check "five records of 264 bytes" -- [ "$(stat -c %s "$D/mrvtest.dat")" -eq $((5 * 264)) ]
printf '[Operators]\r\nName0=Hans\r\nLastName0=Muster\r\nCall0=DL1ABC\r\nName1=Eva\r\nLastName1=Schmidt\r\nCall1=DL2XYZ\r\n' \
  >"$D/operators.ini"
"${CQWW[@]}" cabrillo --name "Hans Muster" --arrl-section DX --category-operator SINGLE-OP \
  --category-band ALL --category-power LOW --category-mode CW --club "Test Club" \
  --operators "DL1ABC DL2XYZ" --address "12 Main St" >"$WORK/cbr" 2>/dev/null
same_bytes "Cabrillo log to standard output, CR LF kept as it is" <(expected cq_ww.cbr) "$WORK/cbr"
"${CQWW[@]}" all --out "$D/report.all" 2>/dev/null
same_bytes "ALL file written through --out" <(expected cq_ww.all) "$D/report.all"
"${CQWW[@]}" sum --class SOAB --address "12 Main St" --address Berlin \
  --equipment "IC-7300, 100 W" --equipment Dipole --comments "Fine contest" >"$WORK/sum" 2>/dev/null
same_bytes "SUM file with the operators of operators.ini" <(expected cq_ww.sum) "$WORK/sum"
expect_failure "the log itself is refused as a report's target" "Will not write over the log" -- \
  "${CQWW[@]}" all --out "$D/MRVTEST.DAT"

# Import and the read-only commands, against the native tool on a copy of the same log.
cat >"$WORK/import.cbr" <<'LOG'
START-OF-LOG: 3.0
QSO: 14000 CW 2025-11-29 0201 DL1ABC 599 14 OH2XYZ 599 15
QSO: 7000 CW 2025-11-29 0202 DL1ABC 599 14 VK2ABC 599 30
QSO: 7000 CW 2025-11-29 0203 DL1ABC 599 14 OH2XYZ 599 15
END-OF-LOG:
LOG
"${CQWW[@]}" import "$WORK/import.cbr" >"$WORK/import.out" 2>&1 ||
  { echo "FAIL: import" && cat "$WORK/import.out" && failures=$((failures + 1)); }
if [ -x "$NATIVE" ]; then
  N="$WORK/native"
  new_dir "$N"
  cp "$D/mrvtest.dat" "$N/"
  for command in list totals "points W1AW 20 CW" "check OH2XYZ --band 20" "lookup UA9ABC 4X4A" \
    contest next-sent; do
    read -ra words <<<"$command"
    "${CQWW[@]}" "${words[@]}" >"$WORK/windows.out" 2>&1
    "$NATIVE" --dir "$N" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC "${words[@]}" \
      >"$WORK/native.out" 2>&1
    same_bytes "$command: the same bytes as the native tool" "$WORK/native.out" "$WORK/windows.out"
  done
else
  echo "no native mirva-cli at '$NATIVE': the comparison with it is left out"
fi
check "eight QSOs after the import" -- [ "$(stat -c %s "$D/mrvtest.dat")" -eq $((8 * 264)) ]

# A working directory whose name the ANSI code page cannot hold: the log and its lock, a
# rewrite through a file beside the log, the country file, and an export into it.
C="$WORK/Тест"
new_dir "$C"
CYRILLIC=("${WIN[@]}" --dir "$C" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
quietly() {
  "${CYRILLIC[@]}" "$@" >/dev/null 2>"$WORK/stderr" ||
    { echo "FAIL: $* in $C" && cat "$WORK/stderr" && failures=$((failures + 1)); }
}
quietly add --at "2025-11-29 00:01" --call UA3ABC --band 20
quietly add --at "2025-11-29 00:02" --call K1ABC --band 20
quietly delete 1
check "one record of 264 bytes in $C" -- [ "$(stat -c %s "$C/mrvtest.dat")" -eq 264 ]
expect_output "the QSO left is found in $C" "Exported: 1 QSOs" -- \
  "${CYRILLIC[@]}" adif --out "$C/журнал.adi"
check "the export in $C names the QSO left" -- grep -q "<CALL:5>K1ABC" "$C/журнал.adi"
finish
