# group conflict: two following stations hold one QSO and edit it differently while cut from
# each other, once by a stopped follower and once by a broker that is down; together again,
# both hold the same version, and the other one is reported as lost.
source "$(dirname "$0")/testlib.bash"
source "$(dirname "$0")/grouplib.bash"
export LC_ALL=C

CONTEST="CQ WW WPX Contest (CW)"
trap 'kill -9 $broker $(cat "$WORK"/*.pid 2>/dev/null) 2>/dev/null; rm -rf "$WORK"' EXIT

station() {
  "$CLI" --dir "$WORK/$1" --contest "$CONTEST" --station call=DL1ABC --wait 10 "${@:2}"
}
start_follower() {
  "$CLI" --dir "$WORK/$1" --wait 10 group sync --follow >>"$WORK/$1.follow" 2>&1 &
  echo $! >"$WORK/$1.pid"
}
follower_of() { cat "$WORK/$1.pid"; }

# note_of STATION CALL: the note of the station's QSO with the call, "-" when it has none.
note_of() {
  station "$1" list | awk -F'\t' -v call="$2" '$4 == call { print ($16 == "" ? "-" : $16) }'
}
# until_agreed CALL: waits up to 30 s for both stations to hold the same version of the QSO.
until_agreed() {
  for _ in $(seq 300); do
    [ -n "$(note_of a "$1")" ] && [ "$(note_of a "$1")" = "$(note_of b "$1")" ] && return
    sleep 0.1
  done
  return 1
}
edit_note() {
  local number
  number=$(station "$1" list | awk -F'\t' -v call="$2" '$4 == call { print $1 }')
  station "$1" edit "$number" --note "$3" >/dev/null
}

# The two ways to cut the stations apart, and to bring them together again.
stop_follower_b() {
  until kill -STOP "$(follower_of b)" && flock -n "$WORK/b/mrvtest.lck" true; do
    kill -CONT "$(follower_of b)"
    sleep 0.05
  done
}
resume_follower_b() { kill -CONT "$(follower_of b)"; }
restart_broker() { start_broker; }

# conflict_round CALL CUT RESUME: A logs CALL, both edit it while cut apart, then they meet.
conflict_round() {
  local call=$1 cut=$2 resume=$3 winner loser
  station a add --at "2026-03-28 12:00" --call "$call" --band 20 --rcvd 1 >/dev/null
  check "$cut: B gets $call" -- until_agreed "$call"
  $cut
  edit_note a "$call" "by-a-$cut"
  edit_note b "$call" "by-b-$cut"
  sleep 1
  $resume
  check "$cut: both hold one version" -- until_agreed "$call"
  winner=$(note_of a "$call")
  case "$winner" in
    by-a-$cut) loser=by-b-$cut ;;
    by-b-$cut) loser=by-a-$cut ;;
    *) echo "FAIL: $cut: A holds '$winner', neither edit"; failures=$((failures + 1)); return ;;
  esac
  check "$cut: the lost version is reported" -- grep -sqF -- "$loser" "$WORK"/{a,b}/group-conflicts.txt
  check "$cut: and only that one" -- \
    [ -z "$(grep -hF -- "$winner" "$WORK"/{a,b}/group-conflicts.txt 2>/dev/null)" ]
  check "$cut: and told by a follower" -- grep -q "^Conflict: .*$loser" "$WORK"/{a,b}.follow
}

start_broker
for s in a b; do
  new_dir $s
  check "$s joins" -- "$CLI" --dir "$WORK/$s" group sync --server "$URL" --group Contest \
    --station "$s" --token-file "$WORK/secret" >/dev/null
  start_follower $s
done
conflict_round UA3ABC stop_follower_b resume_follower_b
conflict_round JA1ABC kill_broker restart_broker
check "both versions of every QSO are the same" -- \
  cmp -s <(station a list | cut -f2-13,15- | sort) <(station b list | cut -f2-13,15- | sort)
finish
