# group soak: five stations, four of them mirva-cli and one the program with its keys typed,
# log 2,000 QSOs of a serial-number contest with edits and deletes while each follows the
# group, and a real nats-server on loopback; a follower is killed with -9 (once as it writes a
# catch-up into its log), so is the program, the broker is killed and restarted with its store,
# then restarted empty. In the end every station holds the same QSOs and totals, every logged
# QSO and its last edit, no deleted QSO, and no serial number sent twice. With SOAK_KEEP set,
# the stations' folders are kept there.
source "$(dirname "$0")/testlib.bash"
source "$(dirname "$0")/grouplib.bash"
export LC_ALL=C

STATIONS=(a b c d)
PER_STATION=475
# The program's QSOs: bursts of 10 typed while the others log.
PROGRAM_BURSTS=10
CONTEST="CQ WW WPX Contest (CW)"
PREFIXES=(K DL G F I JA VK PY LU ZS UA SP EA ON)
BANDS=(160 80 40 20 15 10)
LETTERS=({A..Z})
workers=()
trap 'kill -9 "${workers[@]}" 2>/dev/null; stop_followers -9; [ -e "$WORK/p.pid" ] && kill -9 "$(cat "$WORK/p.pid")"
  stop_display; kill_broker 2>/dev/null; [ -n "${SOAK_KEEP:-}" ] && cp -r "$WORK" "$SOAK_KEEP"; rm -rf "$WORK"' EXIT

# station STATION ARGS...: mirva-cli in the station's folder, all of them one multi-op call;
# group sync takes the contest too, to top up the station's serial numbers from the group.
station() {
  "$CLI" --dir "$WORK/$1" --contest "$CONTEST" --station call=DL1ABC --wait 30 "${@:2}"
}
letter() { echo "${LETTERS[$1]}"; }
index_of() { local i; for i in "${!STATIONS[@]}"; do [ "${STATIONS[$i]}" = "$1" ] && echo "$i"; done; }

# call_of STATION I: a callsign of its own for the station's I-th QSO. Its suffix names the
# station that logs it and the one station that may edit or delete it, so that no two
# stations ever change one QSO at once (the conflict test does that on purpose).
call_of() {
  local owner=$(index_of "$1") i=$2
  local editor=$(((owner + i) % ${#STATIONS[@]}))
  echo "${PREFIXES[i % ${#PREFIXES[@]}]}$((i % 10))$(letter "$owner")$(letter "$editor")$(letter $((i / 26)))$(letter $((i % 26)))"
}

# --- the followers, one per station; $WORK/STATION.pid names the running one -----------------

# start_follower STATION: mirva-cli itself in the background (not a function's subshell, so
# that its process id is the one signals go to); its first exchange waits for the lock an add
# may hold at the moment, and it does not keep kill_follower's lock file open.
start_follower() {
  "$CLI" --dir "$WORK/$1" --contest "$CONTEST" --station call=DL1ABC --wait 10 group sync \
    --follow >>"$WORK/$1.follow" 2>&1 8>&- &
  echo $! >"$WORK/$1.pid"
}
follower_of() { cat "$WORK/$1.pid"; }

# holding_still STATION COMMAND...: runs the command while the station's follower is stopped
# outside the log's lock, so that no QSO the group deletes meanwhile moves the numbers the
# command read from `list`. The file STATION.still keeps the follower's restarts out.
holding_still() {
  (
    flock 9
    local pid=$(follower_of "$1")
    until kill -STOP "$pid" 2>/dev/null && flock -n "$WORK/$1/mrvtest.lck" true; do
      kill -CONT "$pid" 2>/dev/null || exit 1
      sleep 0.05
    done
    "${@:2}"
    local status=$?
    kill -CONT "$pid"
    exit $status
  ) 9>"$WORK/$1.still"
}

# kill_follower STATION [COMMAND...]: kills the follower with -9, runs the command, and starts
# the follower again.
kill_follower() {
  exec 8>"$WORK/$1.still"
  flock 8
  local pid=$(follower_of "$1")
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  "${@:2}"
  start_follower "$1"
  exec 8>&-
}

# stop_followers SIGNAL: stops every follower; each must still be running (none crashed or
# quit on its own) and, at SIGTERM, end with 0.
stop_followers() {
  local s pid
  for s in "${STATIONS[@]}"; do
    [ -e "$WORK/$s.pid" ] || continue
    pid=$(follower_of "$s")
    rm "$WORK/$s.pid"
    if ! kill "$1" "$pid" 2>/dev/null; then
      echo "FAIL: the follower of $s had ended"; failures=$((failures + 1))
      continue
    fi
    [ "$1" = -9 ] && continue
    wait "$pid"
    check "the follower of $s ends with 0" -- [ $? -eq 0 ]
  done
}

# --- the load: each station logs its QSOs, edits about 10% and deletes about 5% ---------------
# Each command that returned 0 is noted in $WORK/STATION.ops as "add CALL", "edit CALL NOTE
# BAND" or "delete CALL".

add_one() {
  local s=$1 i=$2 call
  call=$(call_of "$s" "$i")
  local at
  at=$(printf '2026-03-28 %02d:%02d' $((i / 60 % 24)) $((i % 60)))
  if station "$s" add --at "$at" --call "$call" --band "${BANDS[(i * 7) % 6]}" \
    --rcvd $((i + 1)) >/dev/null 2>>"$WORK/$s.errors"; then
    echo "add $call" >>"$WORK/$s.ops"
  else
    echo "add $call failed" >>"$WORK/$s.errors"
  fi
}

# pick STATION: the number and call of a random QSO of the station's log that it may change.
pick() {
  local me=$(letter "$(index_of "$1")")
  station "$1" list | awk -F'\t' -v me="$me" -v seed="$RANDOM" '
    substr($4, length($4) - 2, 1) == me { n[++count] = $1 " " $4 }
    END { srand(seed); if (count) print n[int(rand() * count) + 1] }'
}

# edit_one STATION K: gives a QSO it may change the note "STATION-K" and another band.
edit_one() {
  local s=$1 note="$1-$2" band=${BANDS[RANDOM % 6]} number call
  read -r number call < <(pick "$s")
  [ -n "$number" ] || return 0
  station "$s" edit "$number" --note "$note" --band "$band" >"$WORK/$s.edited" 2>>"$WORK/$s.errors" ||
    return
  if [ "$(cut -f4 "$WORK/$s.edited")" = "$call" ]; then
    echo "edit $call $note $band" >>"$WORK/$s.ops"
  else
    echo "edit $number meant $call, changed $(cut -f4 "$WORK/$s.edited")" >>"$WORK/$s.errors"
  fi
}

delete_one() {
  local s=$1 number call
  read -r number call < <(pick "$s")
  [ -n "$number" ] || return 0
  station "$s" delete "$number" 2>>"$WORK/$s.errors" && echo "delete $call" >>"$WORK/$s.ops"
}

work() {
  local s=$1 i roll
  for ((i = 0; i < PER_STATION; i++)); do
    add_one "$s" "$i"
    roll=$((RANDOM % 100))
    if ((roll < 10)); then
      holding_still "$s" edit_one "$s" "$i"
    elif ((roll < 15)); then
      holding_still "$s" delete_one "$s"
    fi
  done
}

added() { cat "$WORK"/*.ops 2>/dev/null | grep -c '^add '; }
# when_added N: waits until the stations have logged N QSOs between them.
when_added() { while (($(added) < $1)); do sleep 0.1; done; }
log_size() { stat -c %s "$WORK/$1/mrvtest.dat"; }

# writing_catch_up STATION: while the station's follower is down, waits for 100 QSOs from the
# others, then starts it and kills it again as soon as it begins writing them to the log.
writing_catch_up() {
  local before
  when_added $(($(added) + 100))
  before=$(log_size "$1")
  start_follower "$1"
  for _ in $(seq 2000); do (($(log_size "$1") == before)) || break; sleep 0.005; done
  kill -9 "$(follower_of "$1")"
  wait "$(follower_of "$1")" 2>/dev/null
  true
}

restart_broker_empty() {
  kill_broker
  rm -rf "$WORK/store"
  start_broker
}

# --- what the stations hold in the end --------------------------------------------------------

# qsos STATION: the station's QSOs without their numbers and their multipliers (which depend on
# the order the station logged them in), sorted.
qsos() { station "$1" list | cut -f2-13,15- | sort; }
calls() { station "$1" list | cut -f4 | sort; }
# expected_calls: every call logged and not deleted, sorted.
expected_calls() {
  cat "$WORK"/*.ops | awk '$1 == "add" { added[$2] = 1 } $1 == "delete" { deleted[$2] = 1 }
    END { for (c in added) if (!(c in deleted)) print c }' | sort
}

# settled: whether every station holds exactly the expected calls.
settled() {
  local s want
  want=$(expected_calls)
  for s in "${EVERY[@]}"; do [ "$(calls "$s")" = "$want" ] || return 1; done
}

same_everywhere() {
  local name=$1 s
  shift
  for s in "${EVERY[@]:1}"; do
    if ! cmp -s <("$@" a) <("$@" "$s"); then
      echo "FAIL: $name: a and $s differ"
      diff <("$@" a) <("$@" "$s") | head -20
      failures=$((failures + 1))
    fi
  done
}

# missing_or_back: the logged QSOs not in a's log, and the deleted ones in it.
missing_or_back() {
  comm -3 <(expected_calls) <(calls a)
}

# stale_edits: the calls whose last edit is not their version in a's log.
stale_edits() {
  join -j1 <(cat "$WORK"/*.ops | awk '$1 == "edit" { last[$2] = $3 " " $4 }
      END { for (c in last) print c, last[c] }' | sort) \
    <(station a list | awk -F'\t' '{ print $4, $16, $5 }' | sort) |
    awk '$2 != $4 || $3 != $5'
}

totals() { cat "$WORK/$1.totals"; }

# twice_sent: the serial numbers sent for more than one QSO of the group.
twice_sent() { station a list | cut -f8 | sort | uniq -d; }

source "$(dirname "$0")/group_program.bash"
EVERY=("${STATIONS[@]}" $program_station)
start_broker
for s in "${STATIONS[@]}"; do
  new_dir "$s"
  check "$s joins" -- station "$s" group sync --server "$URL" --group Soak --station "$s" \
    --token-file "$WORK/secret" >/dev/null
  start_follower "$s"
done
if [ -n "$program_station" ]; then
  start_display
  prepare_program
  start_program
fi
started=$SECONDS
for s in "${STATIONS[@]}"; do
  work "$s" &
  workers+=($!)
done
if [ -n "$program_station" ]; then
  program_work "$PROGRAM_BURSTS" 10 &
  workers+=($!)
fi

when_added 300
kill_follower b
when_added 700
kill_follower c writing_catch_up c
when_added 1000
kill_broker
start_broker
when_added 1100
[ -n "$program_station" ] && kill_program
when_added 1300
kill_follower d
when_added 1500
restart_broker_empty
wait "${workers[@]}"
echo "load: $(added) QSOs in $((SECONDS - started)) s"

until settled || ((SECONDS - started > 600)); do sleep 0.5; done
check "the followers settle" -- settled
echo "settled after $((SECONDS - started)) s"
stop_followers -TERM
[ -n "$program_station" ] && stop_program
for s in "${EVERY[@]}"; do
  check "a last sync at $s" -- station "$s" group sync >/dev/null
done

check "every command did what it was given" -- [ -z "$(cat "$WORK"/*.errors 2>/dev/null)" ]
cat "$WORK"/*.errors 2>/dev/null | head
logged=$((PER_STATION * ${#STATIONS[@]}))
[ -n "$program_station" ] && logged=$((logged + PROGRAM_BURSTS * 10))
check "every QSO logged" -- [ "$(added)" -eq "$logged" ]
same_everywhere "the same QSOs at every station" qsos
check "no logged QSO missing, no deleted one back" -- [ -z "$(missing_or_back)" ]
check "every last edit is the version" -- [ -z "$(stale_edits)" ]
check "no conflict reported" -- [ -z "$(cat "$WORK"/*/group-conflicts.txt 2>/dev/null)" ]
for s in "${EVERY[@]}"; do station "$s" rescore >"$WORK/$s.totals"; done
same_everywhere "the same totals after rescore" totals
ops() { cat "$WORK"/*.ops | grep -c "^$1 "; }
echo "$(calls a | wc -l) QSOs kept of $(ops add), $(ops edit) edits, $(ops delete) deletes;" \
  "$((SECONDS - started)) s"
if [ -n "$(twice_sent)" ]; then
  echo "FAIL: serial numbers: $(twice_sent | wc -l) numbers were sent twice in the group"
  station a list | awk -F'\t' 'NR == FNR { twice[$1] = 1; next } $8 in twice' <(twice_sent) - |
    head -10
  failures=$((failures + 1))
fi
finish
