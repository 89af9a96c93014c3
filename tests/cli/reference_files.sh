# Damaged reference files: every command that scores refuses a country file it cannot count
# by, exits non-zero, names the file and leaves the log as it was; a contest set-up names the
# country file it goes without.
source "$(dirname "$0")/testlib.bash"

D="$WORK/log"
mkdir "$D"
cp "$SRC/tests/data/contest/CTY.DAT" "$SRC/tests/data/contest/P-150-C.DAT" "$SRC/data/"* "$D/"
printf 'QSO: 14025 CW 2025-11-29 1201 DL1ABC 599 14 JA1XYZ 599 25\n' >"$WORK/qso.log"
CQWW=("$CLI" --dir "$D" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
CQM=("$CLI" --dir "$D" --contest "CQ-M International DX Contest" --station call=DL1ABC)

expect_output "a QSO logged with the whole country file" "Logged: 1
Skipped: 0" -- "${CQWW[@]}" import "$WORK/qso.log"
cp "$D/CTY.DAT" "$WORK/CTY.whole"
cp "$D/P-150-C.DAT" "$WORK/P-150-C.whole"
cp "$D/mrvtest.dat" "$WORK/log.before"

# cut_short FILE: the file without its last 20 bytes, so without the ";" that ends it.
cut_short() { head -c -20 "$WORK/${1%.DAT}.whole" >"$D/$1"; }
restore() { cp "$WORK/${1%.DAT}.whole" "$D/$1"; }

# refuses NAME FAULT -- COMMAND...: the command fails naming the file, and the log is as it was.
refuses() {
  local name="$1" fault="$2"
  shift 3
  expect_failure "$name" "$fault" -- "$@"
  check "$name: the log is unchanged" -- cmp -s "$D/mrvtest.dat" "$WORK/log.before"
  check "$name: no copy for a rescoring" -- [ ! -e "$D/mrvtest.rec" ]
}

# Every command that scores checks the country file itself.
fault="The country file $D/CTY.DAT is cut short"
cut_short CTY.DAT
refuses "points" "$fault" -- "${CQWW[@]}" points JA2XYZ 20 CW 25
refuses "add" "$fault" -- \
  "${CQWW[@]}" add --call JA2XYZ --band 20 --mode CW --rcvd 25 --at "2025-11-29 12:02"
refuses "import" "$fault" -- "${CQWW[@]}" import "$WORK/qso.log"
refuses "rescore" "$fault" -- "${CQWW[@]}" rescore
refuses "check" "$fault" -- "${CQWW[@]}" check JA2XYZ
refuses "lookup" "$fault" -- "$CLI" --dir "$D" lookup JA2XYZ
restore CTY.DAT
cut_short P-150-C.DAT
refuses "add, CQ-M counts by P-150-C.DAT" "The country file $D/P-150-C.DAT is cut short" -- \
  "${CQM[@]}" add --call JA2XYZ --band 20 --mode CW --rcvd 001 --at "2025-11-29 12:02"
# Choosing CQ-M tells at once that its country file is missing; a command that refuses for it
# says it once.
rm "$D/P-150-C.DAT"
expect_output "CQ-M is set up without P-150-C.DAT" "Name: CQ-M International DX Contest" -- \
  sh -c '"$@" | head -1' - "${CQM[@]}" contest
check "the set-up names the file and what it costs" -- grep -qF \
  "Error: The country file $D/P-150-C.DAT is missing: no QSO can be logged or scored until" \
  "$WORK/stderr"
refuses "add without P-150-C.DAT" "The country file $D/P-150-C.DAT is missing" -- \
  "${CQM[@]}" add --call JA2XYZ --band 20 --mode CW --rcvd 001 --at "2025-11-29 12:02"
check "add says it once" -- [ "$(grep -c "P-150-C.DAT" "$WORK/stderr")" -eq 1 ]

finish
