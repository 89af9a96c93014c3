# Damaged reference files: every command that scores refuses a country file it cannot count
# by, exits non-zero, names the file and leaves the log as it was; a contest set-up names the
# domestic list it goes without.
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

# damage NAME FILE: spoils the file as NAME says; the whole copy is in $WORK.
damage() {
  local file="$D/$2" whole="$WORK/${2%.DAT}.whole"
  rm -rf "$file"
  case "$1" in
    missing) ;;
    empty) : >"$file" ;;
    binary) printf '\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03\xcb\x48\xcd\xc9\xc9\x57\x28\x02\x00' >"$file" ;;
    cut) head -c -20 "$whole" >"$file" ;;
    folder) mkdir "$file" ;;
  esac
}
restore() {
  rm -rf "$D/$1"
  cp "$WORK/${1%.DAT}.whole" "$D/$1"
}

# refuses NAME FAULT -- COMMAND...: the command fails naming the file, and the log is as it was.
refuses() {
  local name="$1" fault="$2"
  shift 3
  expect_failure "$name" "$fault" -- "$@"
  check "$name: the log is unchanged" -- cmp -s "$D/mrvtest.dat" "$WORK/log.before"
  check "$name: no copy for a rescoring" -- [ ! -e "$D/mrvtest.rec" ]
}

for kind in missing:"is missing" empty:"holds no prefixes" binary:"holds no prefixes" \
  cut:"is cut short" \
  folder:"cannot be read"; do
  name="${kind%%:*}" fault="The country file $D/CTY.DAT ${kind#*:}"
  damage "$name" CTY.DAT
  refuses "points, CTY.DAT $name" "$fault" -- "${CQWW[@]}" points JA2XYZ 20 CW 25
  refuses "add, CTY.DAT $name" "$fault" -- \
    "${CQWW[@]}" add --call JA2XYZ --band 20 --mode CW --rcvd 25 --at "2025-11-29 12:02"
  refuses "import, CTY.DAT $name" "$fault" -- "${CQWW[@]}" import "$WORK/qso.log"
  refuses "rescore, CTY.DAT $name" "$fault" -- "${CQWW[@]}" rescore
  refuses "check, CTY.DAT $name" "$fault" -- "${CQWW[@]}" check JA2XYZ
  refuses "lookup, CTY.DAT $name" "$fault" -- "$CLI" --dir "$D" lookup JA2XYZ
  restore CTY.DAT
done
damage cut P-150-C.DAT
refuses "add, CQ-M counts by P-150-C.DAT" "The country file $D/P-150-C.DAT is cut short" -- \
  "${CQM[@]}" add --call JA2XYZ --band 20 --mode CW --rcvd 001 --at "2025-11-29 12:02"
expect_output "CQ WW does not need P-150-C.DAT" "3 0 0
new" -- "${CQWW[@]}" points JA2XYZ 20 CW 25
restore P-150-C.DAT
damage missing CTY.DAT
expect_output "CQ-M does not need CTY.DAT" "3 0 0
new" -- "${CQM[@]}" points JA2XYZ 20 CW 001
restore CTY.DAT

rm "$D/RUS.DOM"
expect_output "a missing domestic list is no failure" "Name: Russian DX contest" -- \
  sh -c '"$@" | head -1' - "$CLI" --dir "$D" --contest "Russian DX contest" contest
check "a missing domestic list is named" -- \
  grep -q "Error: The domestic list $D/RUS.DOM is missing" "$WORK/stderr"

finish
