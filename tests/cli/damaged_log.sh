# A log of random bytes and a log with one record zeroed: the records that cannot be QSOs are
# named once and kept. Their point fields add up without overflow in PointSumTest.
source "$(dirname "$0")/testlib.bash"

new_dir random
# 50 records of pseudo-random bytes, but for the three point fields of each, 0x7F7F7F7F.
printf "$(LC_ALL=C awk 'BEGIN {
  srand(7)
  for (i = 0; i < 50 * 264; i++)
    printf "\\%03o", (i % 264 >= 224 && i % 264 < 236) ? 127 : int(rand() * 256)
}')" >"$WORK/random/mrvtest.dat"
cp "$WORK/random/mrvtest.dat" "$WORK/random.dat"

"$CLI" --dir "$WORK/random" list >/dev/null 2>"$WORK/list.err"
check "list of random bytes fails" -- [ $? -eq 0 ]
check "damaged records not named: $(cat "$WORK/list.err")" -- [ "$(cat "$WORK/list.err")" = \
  "50 records of mrvtest.dat cannot be QSOs: 1, 2, 3, 4, 5, ... They are kept; look at their callsign, date, time, band and mode." ]
check "damaged records not kept" -- cmp -s "$WORK/random/mrvtest.dat" "$WORK/random.dat"

# A record of zeros among three sound ones.
mkdir "$WORK/one"
{
  head -c 264 "$SRC/tests/data/three_qsos.dat"
  head -c 264 /dev/zero
  tail -c 528 "$SRC/tests/data/three_qsos.dat"
} >"$WORK/one/mrvtest.dat"
lines=$("$CLI" --dir "$WORK/one" list 2>"$WORK/one.err" | wc -l)
check "4 records listed, not $lines" -- [ "$lines" -eq 4 ]
check "the zeroed record not named: $(cat "$WORK/one.err")" -- [ "$(cat "$WORK/one.err")" = \
  "1 record of mrvtest.dat cannot be a QSO: 2. It is kept; look at its callsign, date, time, band and mode." ]

mkdir "$WORK/sound"
cp "$SRC/tests/data/three_qsos.dat" "$WORK/sound/mrvtest.dat"
"$CLI" --dir "$WORK/sound" list >/dev/null 2>"$WORK/sound.err"
check "a sound log is reported: $(cat "$WORK/sound.err")" -- [ ! -s "$WORK/sound.err" ]
finish
