# One writer at a time: commands that change the log run beside each other in real processes
# and lose nothing; a second writer is turned away naming the holder, or waits with --wait;
# readers change no file; a partial record that cannot be set aside leaves the log alone.
source "$(dirname "$0")/testlib.bash"
CQWW=(--contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
L=(- {A..Z})

cli() { "$CLI" --dir "$WORK/$1" --wait 30 "${CQWW[@]}" "${@:2}"; }
# seed DIR N: logs UA3AA, UA3AB, ... one minute apart.
seed() {
  local i
  for ((i = 1; i <= $2; i++)); do
    cli "$1" add --at "2025-11-29 00:$(printf %02d "$i")" --call "UA3A${L[i]}" --band 20 \
      >/dev/null || return
  done
}
# adds DIR N: logs K1AA, K1AB, ...; the line of each add that succeeded goes to DIR.adds.
adds() {
  local i out
  for ((i = 1; i <= $2; i++)); do
    out=$(cli "$1" add --at "2025-11-29 01:$(printf %02d "$i")" --call "K1A${L[i]}" --band 40) &&
      printf '%s\n' "$out" >>"$WORK/$1.adds"
  done
}
# times N NAME COMMAND...: runs the command N times, one line in NAME.done for each success.
times() {
  local n="$1" name="$2" i
  shift 2
  for ((i = 0; i < n; i++)); do
    "$@" >/dev/null 2>>"$WORK/$name.err" && echo >>"$WORK/$name.done"
  done
}
count() { cat "$WORK/$1" 2>/dev/null | wc -l; }
listing() { cli "$1" list | cut -f"$2"; }

# An add beside a rescore: no add is lost, and the rescoring changes no QSO.
new_dir rescore
seed rescore 6
before=$(cli rescore list)
adds rescore 8 &
times 8 rescored cli rescore rescore &
times 8 listed cli rescore list &
wait
check "adds beside a rescore lost" -- [ "$(count rescore.adds)" -eq 8 ]
check "a rescore failed" -- [ "$(count rescored.done)" -eq 8 ]
check "a list beside the writers failed" -- [ "$(count listed.done)" -eq 8 ]
check "a list beside the writers warned" -- [ ! -s "$WORK/listed.err" ]
expect_output "log after adds beside rescores" "$(printf '%s\n' "$before"; cat "$WORK/rescore.adds")" \
  -- cli rescore list

# An add beside a delete: the deletes take the first QSOs, every add stays.
new_dir delete
seed delete 10
before=$(listing delete 2-)
adds delete 8 &
times 6 deleted cli delete delete 1 &
wait
check "adds beside a delete lost" -- [ "$(count delete.adds)" -eq 8 ]
check "a delete failed" -- [ "$(count deleted.done)" -eq 6 ]
expect_output "log after adds beside deletes" \
  "$(printf '%s\n' "$before" | tail -n +7; cut -f2- "$WORK/delete.adds")" -- listing delete 2-

# An edit beside a delete: each edit changes only the note of the QSO sixth when it runs.
new_dir edit
seed edit 12
before=$(listing edit 2-15)
times 5 edit-deleted cli edit delete 1 &
times 8 edited cli edit edit 6 --note E &
wait
check "an edit or a delete failed" -- [ "$(count edit-deleted.done)$(count edited.done)" = 58 ]
expect_output "QSOs after edits beside deletes" "$(printf '%s\n' "$before" | tail -n +6)" \
  -- listing edit 2-15
notes=$(listing edit 16 | sort -u | tr '\n' ' ')
check "notes after edits beside deletes are '$notes'" -- [ "$notes" = " E " ]

# A holder that names itself: a second writer is turned away naming it, a reader goes on,
# and a writer that waits gets its turn.
new_dir held
( exec 9>>"$WORK/held/mrvtest.lck"; flock 9; printf '%s\nmirva\n' "$BASHPID" >&9;
  touch "$WORK/held.ready"; sleep 1.5 ) &
holder=$!
while [ ! -e "$WORK/held.ready" ]; do sleep 0.05; done
"$CLI" --dir "$WORK/held" "${CQWW[@]}" add --call UA3ABC --band 20 >/dev/null 2>"$WORK/held.err"
check "second writer not refused with status 1" -- [ $? -eq 1 ]
check "second writer does not name the holder" -- grep -q "is open in mirva, process $holder" "$WORK/held.err"
check "refused writer left a log" -- [ ! -e "$WORK/held/mrvtest.dat" ]
expect_output "reader beside the holder" "" -- "$CLI" --dir "$WORK/held" list
cli held add --call UA3ABC --band 20 >/dev/null
check "waiting writer did not log its QSO" -- [ "$(listing held 4)" = UA3ABC ]
check "waiting writer ran beside the holder" -- bash -c "! kill -0 $holder 2>/dev/null"
wait

# Readers change no file, a torn tail included; they say so only while no writer holds the
# lock. The next writer sets the tail aside.
new_dir readers
{ cat "$SRC/tests/data/three_qsos.dat"; head -c 100 "$SRC/tests/data/three_qsos.dat"; } \
  >"$WORK/readers/mrvtest.dat"
snapshot() { (cd "$WORK/readers" && find . -printf '%p %s %T@ %m\n' | sort && md5sum -- *); }
before=$(snapshot)
for reader in list totals "check UA3ABC" "points UA3ABC 20 CW" status contest contests \
  next-sent cabrillo all sum "adif --out $WORK/readers.adi"; do
  # shellcheck disable=SC2086
  check "reader $reader failed" -- cli readers $reader >/dev/null 2>"$WORK/reader.err"
  check "reader $reader did not tell of the partial record" -- grep -q "partial record" "$WORK/reader.err"
done
expect_output "files after every reader" "$before" -- snapshot
( exec 9>>"$WORK/readers/mrvtest.lck"; flock 9; printf '%s\nmirva\n' "$BASHPID" >&9;
  "$CLI" --dir "$WORK/readers" list >/dev/null 2>"$WORK/reader.err" )
check "reader warned while a writer holds the lock" -- [ ! -s "$WORK/reader.err" ]
cli readers delete 3 2>"$WORK/reader.err"
check "writer did not tell where the partial record went" -- grep -q "saved as mrvtest.dat.torn" "$WORK/reader.err"
check "writer did not set the tail aside" -- [ "$(stat -c %s "$WORK/readers/mrvtest.dat.torn")" -eq 100 ]
check "writer did not delete" -- [ "$(stat -c %s "$WORK/readers/mrvtest.dat")" -eq 528 ]

# A read-only folder with a torn log: readers work, writers refuse and say why, and nothing
# is written. Root may write anywhere, so it runs the commands as nobody.
as_other() { if [ "$(id -u)" -eq 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi; }
new_dir ro
cp "$WORK/readers/mrvtest.dat" "$WORK/ro/"
head -c 100 "$SRC/tests/data/three_qsos.dat" >>"$WORK/ro/mrvtest.dat"
touch "$WORK/ro/mrvtest.lck"
chmod 666 "$WORK/ro/mrvtest.lck"
chmod 444 "$WORK/ro/mrvtest.dat" "$WORK/ro/CTY.DAT"
chmod 555 "$WORK/ro"
chmod 755 "$WORK"
lines=$(as_other "$CLI" --dir "$WORK/ro" list 2>"$WORK/ro.err" | wc -l)
check "read-only folder lists $lines QSOs, not 2" -- [ "$lines" -eq 2 ]
for writer in "add --call UA3ABC --band 20" "delete 1" rescore; do
  # shellcheck disable=SC2086
  as_other "$CLI" --dir "$WORK/ro" "${CQWW[@]}" $writer >/dev/null 2>"$WORK/ro.err"
  check "$writer in a read-only folder not refused with status 1" -- [ $? -eq 1 ]
  check "$writer in a read-only folder does not say why" -- grep -q "could not be set aside" "$WORK/ro.err"
done
check "files written in a read-only folder" -- [ "$(ls "$WORK/ro" | tr '\n' ' ')" = "CTY.DAT mrvtest.dat mrvtest.lck " ]
check "log changed in a read-only folder" -- [ "$(stat -c %s "$WORK/ro/mrvtest.dat")" -eq 628 ]
chmod 755 "$WORK/ro"
finish
