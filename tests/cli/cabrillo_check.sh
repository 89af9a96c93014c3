# `cabrillo` tells on standard error what a sponsor's robot would reject and writes the log all
# the same; `cabrillo --check` only tells it, exiting 3 when there is anything and 0 when not.
source "$(dirname "$0")/testlib.bash"

new_dir cqww
CQWW=("$CLI" --dir "$WORK/cqww" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
CATEGORY=(--category-operator SINGLE-OP --category-band ALL --category-power LOW)
add_qsos CQWW "2025-11-29 00:01 UA3ABC 20 16" "2025-11-29 00:05 K1ABC 20 41" \
  "2025-11-29 00:03 JA1XYZ 40 25"
PROBLEMS="QSO 2: '41' is not one of this contest's CQ zones (01 to 40): it counts no multiplier
QSO 3: logged at 2025-11-29 00:03, before QSO 2 at 2025-11-29 00:05
2 problems found"

expect_status "--check exits 3 on a log with problems" 3 "2 problems found" -- \
  "${CQWW[@]}" cabrillo --check "${CATEGORY[@]}" --out "$WORK/checked.cbr"
check "--check lists each problem on standard error" -- test "$(cat "$WORK/stderr")" = "$PROBLEMS"
check "--check writes no file" -- test ! -e "$WORK/checked.cbr"
check "--check prints nothing on standard output" -- test ! -s "$WORK/stdout"

expect_status "the log is written all the same" 0 "QSO 2: '41'" -- \
  "${CQWW[@]}" cabrillo "${CATEGORY[@]}" --out "$WORK/written.cbr"
check "with the same list first" -- test "$(cat "$WORK/stderr")" = "$PROBLEMS"
check "and every QSO line" -- test "$(grep -c '^QSO: ' "$WORK/written.cbr")" -eq 3

expect_status "3.0 needs the mode category too" 3 "Header: CATEGORY-MODE is empty" -- \
  "${CQWW[@]}" cabrillo --check --v3 "${CATEGORY[@]}"

new_dir clean
CLEAN=("$CLI" --dir "$WORK/clean" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
add_qsos CLEAN "2025-11-29 00:01 UA3ABC 20 16" "2025-11-29 00:02 JA1XYZ 40 25"
expect_status "--check exits 0 on a clean log" 0 "0 problems found" -- \
  "${CLEAN[@]}" cabrillo --check "${CATEGORY[@]}"
check "a clean log is written" -- "${CLEAN[@]}" cabrillo "${CATEGORY[@]}" --out "$WORK/clean.cbr" \
  2>"$WORK/stderr"
check "without a word on standard error" -- test ! -s "$WORK/stderr"
expect_status "a blank header is told" 3 "Header: CALLSIGN is empty" -- \
  "${CLEAN[@]}" cabrillo --check --call ""

finish
