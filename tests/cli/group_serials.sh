# Serial numbers in a group: two stations of CQ WPX that sync through a real nats-server send
# no number twice, one cut from the broker goes on from its reserve, and per-band numbering is
# a stored setting; one that logs past its pool without a sync takes the group's numbers itself.
source "$(dirname "$0")/testlib.bash"
source "$(dirname "$0")/grouplib.bash"
trap 'kill -9 $broker 2>/dev/null; rm -rf "$WORK"' EXIT

WPX="CQ WW WPX Contest (CW)"
new_dir a
new_dir b
# at STATION N: N QSOs logged at the station with the number it proposes.
made=0
at() {
  local station=$1 call
  for _ in $(seq "$2"); do
    made=$((made + 1))
    call="K${station^^}$made${station^^}BC"
    "$CLI" --dir "$WORK/$station" --contest "$WPX" --station call=DL1ABC add --call "$call" \
      --band 20 --rcvd 001 >/dev/null || { echo "FAIL: add at $station"; failures=$((failures + 1)); }
  done
}
sync() { "$CLI" --dir "$WORK/$1" --contest "$WPX" group sync "${@:2}" >"$WORK/sync.out" 2>&1; }
# sent STATION: the numbers the QSOs of the station's log were sent with.
sent() { "$CLI" --dir "$WORK/$1" --contest "$WPX" list | cut -f8; }
distinct() {
  local repeated
  repeated=$(sent "$1" | sort | uniq -d)
  [ -z "$repeated" ] || { echo "numbers sent twice: $repeated"; return 1; }
}

expect_status "a per-band setting other than yes or no" 2 \
  "--serials-per-band takes yes or no, not 'maybe'" -- "$CLI" --dir "$WORK/a" group sync \
  --server "$URL" --group wpx --station A --token-file "$WORK/secret" --serials-per-band maybe

start_broker
check "A joins" -- sync a --server "$URL" --group wpx --station A --token-file "$WORK/secret"
check "B joins" -- sync b --server "$URL" --group wpx --station B --token-file "$WORK/secret"
check "the pool is kept beside the log" -- grep -q "^next sent 0 deck " "$WORK/a/group.serials"
for round in 1 2 3; do
  at a 3
  at b 2
  check "A syncs ($round)" -- sync a
  check "B syncs ($round)" -- sync b
done
check "A syncs" -- sync a
check "the stations hold the same 15 QSOs" -- [ "$(sent a | sort)" = "$(sent b | sort)" ]
check "and 15 QSOs they are" -- [ "$(sent a | wc -l)" -eq 15 ]
check "no number was sent twice" -- distinct a

# Cut from the broker, A logs on from its deck and reserve; B goes on with the group.
kill_broker
expect_status "A cannot reach the broker" 1 "cannot reach the group's broker" -- \
  "$CLI" --dir "$WORK/a" --contest "$WPX" group sync
at a 22
start_broker
at b 4
check "B syncs after the broker's restart" -- sync b
at b 2
check "B syncs again" -- sync b
check "A is back" -- sync a
check "B takes A's QSOs" -- sync b
check "both hold all 43" -- [ "$(sent a | wc -l) $(sent b | wc -l)" = "43 43" ]
check "no number was sent twice in the group" -- distinct b

# A broker that lost its store: its new counter starts above what any station may still hold,
# and B, which logs from the numbers it held before it learns of the loss, then gives them up.
at b 1
check "B took the group's last numbers" -- sync b
kill_broker
rm -rf "$WORK/store"
start_broker
check "A refills the broker" -- sync a
at a 3
at b 3
check "B too" -- sync b
at a 3
at b 3
check "A syncs after the loss" -- sync a
check "B syncs after the loss" -- sync b
at a 2
check "A takes B's last QSOs" -- sync a
check "no number sent twice after the loss" -- distinct a

# A logs past its pool with no sync between, while B has taken the numbers above it: the add
# takes more from the group itself rather than going on from A's own.
at b 22
check "B takes new numbers" -- sync b
at a 25
at b 3
check "A syncs past its pool" -- sync a
check "B takes A's QSOs past the pool" -- sync b
check "no number sent twice past the pool" -- distinct b

check "per band numbering is a stored setting" -- sync a --serials-per-band yes
check "kept in the workspace" -- grep -q "^SerialsPerBand=yes" "$WORK/a/workspace.ini"
check "with a pool per band" -- grep -q "^next.20 sent 0 deck " "$WORK/a/group.serials"
kill_broker
finish
