# Paths with letters beyond ASCII in the working directory and in the files named on the
# command line: every file is found, and every message that names one shows it in UTF-8 as it
# was typed, but for a letter Windows-1251 lacks ("ö"), which messages show as '?'.
source "$(dirname "$0")/testlib.bash"

D="$WORK/Журнал Köln"
SHOWN_D="$WORK/Журнал K?ln"
OUT="$WORK/Отчёты"
mkdir "$D" "$OUT"
cp "$SRC/tests/data/contest/CTY.DAT" "$D/"
L=("$CLI" --dir "$D" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)

printf 'QSO: 14025 CW 2025-11-29 0001 DL1ABC 599 14 UA3ABC 599 16\n' >"$OUT/входящий-ö.log"
expect_output "import from a file named with ö" "Logged: 1
Skipped: 0" -- \
  "${L[@]}" import "$OUT/входящий-ö.log"
expect_output "a report written under a name with ö" "" -- \
  "${L[@]}" all --out "$OUT/отчёт-ö.all"
check "the report is where it was named" -- [ -s "$OUT/отчёт-ö.all" ]
expect_output "an export written under a name with ö" "Exported: 1 QSOs" -- \
  "$CLI" --dir "$D" adif --out "$OUT/лог-ö.adi"
check "the export is where it was named" -- [ -s "$OUT/лог-ö.adi" ]
expect_output "status names the working directory" "Working directory: $SHOWN_D" -- \
  sh -c '"$@" | head -1' - "$CLI" --dir "$D" status

expect_status "an import file that cannot be read" 1 \
  "mirva-cli: Cannot read $OUT/нет.log" -- "${L[@]}" import "$OUT/нет.log"
expect_status "a report into a missing folder" 1 \
  "mirva-cli: Nothing was written to $OUT/нет/отчёт.all: Cannot open $OUT/нет/.отчёт.all.partial: No such file or directory" -- \
  "${L[@]}" all --out "$OUT/нет/отчёт.all"
expect_status "a letter Windows-1251 lacks" 1 \
  "mirva-cli: Nothing was written to $OUT/B?se/a.adi: Cannot open $OUT/B?se/.a.adi.partial: No such file or directory" -- \
  "$CLI" --dir "$D" adif --out "$OUT/Böse/a.adi"
expect_status "the log refused through .." 1 \
  "mirva-cli: Will not write over the log $OUT/../Журнал K?ln/mrvtest.dat" -- \
  "${L[@]}" sum --out "$OUT/../Журнал Köln/mrvtest.dat"
expect_status "the backup refused" 1 \
  "mirva-cli: Will not write over $SHOWN_D/mrvtest.old: it is mrvtest.old, the previous log" -- \
  "$CLI" --dir "$D" adif --out "$D/mrvtest.old"
check "no backup made up" -- [ ! -e "$D/mrvtest.old" ]

mv "$D/mrvtest.dat" "$D/log.dat"
mkdir "$D/mrvtest.dat"
expect_status "a log that cannot be read" 1 \
  "mirva-cli: Cannot read the log file $SHOWN_D/mrvtest.dat" -- "$CLI" --dir "$D" list
rmdir "$D/mrvtest.dat"
mv "$D/log.dat" "$D/mrvtest.dat"
rm "$D/CTY.DAT"
expect_status "a missing country file" 1 \
  "mirva-cli: The country file $SHOWN_D/CTY.DAT is missing. No QSO can be scored without it." -- \
  "$CLI" --dir "$D" lookup DL1ABC
finish
