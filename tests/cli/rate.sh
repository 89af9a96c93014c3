# The rate of a short log: QSOs per hour and band with an empty hour between, the last 10 and 60
# minutes up to --at, the best 60 minutes across a clock hour, and all of it after a delete.
source "$(dirname "$0")/testlib.bash"

D="$WORK/log"
mkdir "$D"
cp "$SRC/tests/data/contest/CTY.DAT" "$D/"
CQ=("$CLI" --dir "$D" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
TAB=$'\t'

add_qsos CQ "2025-11-29 00:31 UA3ABC 20 14" "2025-11-29 00:40 K1ABC 20 14" \
  "2025-11-29 00:58 JA1XYZ 40 14" "2025-11-29 01:07 DK2ABC 40 14" "2025-11-29 01:10 W1AW 15 14" \
  "2025-11-29 03:05 UA9AA 20 14"

expect_output "hours by band, the last minutes up to --at, the best 60 minutes" \
"Hour (UTC)${TAB}160${TAB}80${TAB}40${TAB}20${TAB}15${TAB}10${TAB}Total
2025-11-29 00:00${TAB}0${TAB}0${TAB}1${TAB}2${TAB}0${TAB}0${TAB}3
2025-11-29 01:00${TAB}0${TAB}0${TAB}1${TAB}0${TAB}1${TAB}0${TAB}2
2025-11-29 02:00${TAB}0${TAB}0${TAB}0${TAB}0${TAB}0${TAB}0${TAB}0
2025-11-29 03:00${TAB}0${TAB}0${TAB}0${TAB}1${TAB}0${TAB}0${TAB}1
Now: 2025-11-29 01:10
Last 10 min: 2
Last 60 min: 5
Best 60 min: 5 (2025-11-29 00:31 to 01:30)" -- "${CQ[@]}" rate --at "2025-11-29 01:10"

"${CQ[@]}" delete 2 >/dev/null || echo "FAIL: delete 2"
expect_output "after a delete, without a contest: the log's bands, longest first" \
"Hour (UTC)${TAB}40${TAB}20${TAB}15${TAB}Total
2025-11-29 00:00${TAB}1${TAB}1${TAB}0${TAB}2
2025-11-29 01:00${TAB}1${TAB}0${TAB}1${TAB}2
2025-11-29 02:00${TAB}0${TAB}0${TAB}0${TAB}0
2025-11-29 03:00${TAB}0${TAB}1${TAB}0${TAB}1
Now: 2025-11-29 03:06
Last 10 min: 1
Last 60 min: 1
Best 60 min: 4 (2025-11-29 00:31 to 01:30)" -- "$CLI" --dir "$D" rate --at "2025-11-29 03:06"

expect_failure "a time that is not YYYY-MM-DD HH:MM" "--at takes the UTC date and time" -- \
  "$CLI" --dir "$D" rate --at "2025-11-29 25:00"
finish
