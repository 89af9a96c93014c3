# A log of random bytes: list reads it, tells once which records cannot be QSOs and keeps
# them. The notice's wording is ImpossibleQsosTest's.
source "$(dirname "$0")/testlib.bash"

new_dir random
# 50 records of pseudo-random bytes.
printf "$(LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 50 * 264; i++) printf "\\%03o", int(rand() * 256) }')" \
  >"$WORK/random/mrvtest.dat"
cp "$WORK/random/mrvtest.dat" "$WORK/random.dat"

"$CLI" --dir "$WORK/random" list >/dev/null 2>"$WORK/list.err"
check "list of random bytes fails" -- [ $? -eq 0 ]
check "damaged records not named: $(cat "$WORK/list.err")" -- [ "$(cat "$WORK/list.err")" = \
  "50 records of mrvtest.dat cannot be QSOs: 1, 2, 3, 4, 5, ... They are kept; look at their callsign, date, time, band and mode." ]
check "damaged records not kept" -- cmp -s "$WORK/random/mrvtest.dat" "$WORK/random.dat"
finish
