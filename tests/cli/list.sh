# `list` prints the log in file order; missing files give clear errors. A torn log is
# lock.sh's.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

mkdir "$WORK/log"
cp "$SRC/tests/data/three_qsos.dat" "$WORK/log/mrvtest.dat"
expect_output "list of three QSOs" \
"1${T}2025-12-09${T}12:34${T}UA3ABC${T}20${T}CW${T}599${T}001${T}579${T}16${T}1${T}0${T}0${T}UA 16${T}UA${T}
2${T}2025-12-09${T}12:35${T}DL1ABC${T}40${T}CW${T}599${T}002${T}599${T}14${T}0${T}0${T}0${T}- -${T}DL${T}##Dupe## Привет
3${T}2025-12-10${T}00:01${T}K1ABC${T}10${T}SSB${T}59${T}003${T}59${T}05${T}3${T}2${T}-1${T}K 05${T}K${T}" \
  -- "$CLI" --dir "$WORK/log" list

# A new folder gets no log from a reader.
mkdir "$WORK/empty"
expect_output "empty log" "" -- "$CLI" --dir "$WORK/empty" list
check "empty log created by a reader" -- [ -z "$(ls -A "$WORK/empty")" ]

expect_failure "missing folder" "mrvtest.dat" -- "$CLI" --dir "$WORK/none" list
expect_failure "unknown command" "unknown command" -- "$CLI" --dir "$WORK/log" frobnicate
expect_failure "no command" "no command" -- "$CLI"
finish
