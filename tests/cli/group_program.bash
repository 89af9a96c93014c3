# The program itself as station p of the soak's group, sourced by group_soak.sh after
# grouplib.bash: it runs in a virtual X display under a window manager, joins the group from its
# working directory's settings, and logs QSOs as an operator does, keys sent with xdotool into
# its entry window. Without the program or those tools the soak runs with mirva-cli alone.
PROGRAM="$(dirname "$CLI")/mirva"
program_station=""
stop_display() { [ -e "$WORK/display.pid" ] && kill $(cat "$WORK/display.pid") 2>/dev/null; }
for tool in Xvfb openbox xdotool dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "no $tool: the soak runs without the program"; return; }
done
[ -x "$PROGRAM" ] || { echo "no program beside mirva-cli: the soak runs without it"; return; }
program_station=p
export ASAN_OPTIONS=detect_leaks=0

# start_display: Xvfb, openbox and a session bus of the soak's own.
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x960x24 3>"$WORK/display" >/dev/null 2>&1 &
  echo $! >"$WORK/display.pid"
  for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$WORK/display")"
  openbox >/dev/null 2>&1 &
  echo $! >>"$WORK/display.pid"
  DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
    3>>"$WORK/display.pid")
  export DBUS_SESSION_BUS_ADDRESS
}

# prepare_program: the program's folder, its contest, station and group, and its settings
# opening the entry window.
prepare_program() {
  bash "$SRC/scripts/prepare-home.sh" "$WORK/p" >/dev/null
  cp "$SRC/tests/data/contest/CTY.DAT" "$WORK/p/"
  export XDG_CONFIG_HOME="$WORK/config" MIRVA_SHARED_DIR="$WORK/shared"
  mkdir -p "$XDG_CONFIG_HOME" "$MIRVA_SHARED_DIR"
  printf '[Main]\nsbNew.Down=true\n' >"$XDG_CONFIG_HOME/Mirva contest module.conf"
  cat >"$WORK/p/workspace.ini" <<INI
[Contest]
Name=$CONTEST

[Station configuration]
eCall=DL1ABC

[Group]
Server=$URL
Name=Soak
Station=p
SecretFile=$WORK/secret
Operator=DL1ABC
INI
}

# start_program: the program, once its entry window has the keyboard; it does not keep
# kill_program's lock file open.
start_program() {
  "$PROGRAM" --dir "$WORK/p" >>"$WORK/p.program" 2>&1 7>&- &
  echo $! >"$WORK/p.pid"
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^New QSO$' | head -1)
  for _ in $(seq 200); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && return
    sleep 0.1
  done
  echo "FAIL: the program's entry window did not get the keyboard"
  failures=$((failures + 1))
}

# program_call I: the program's I-th call; its editor letter (third from the end, as call_of
# has it) names the mirva-cli station that may edit or delete it.
program_call() {
  local editor=$(($1 % ${#STATIONS[@]}))
  echo "${PREFIXES[$1 % ${#PREFIXES[@]}]}$(($1 % 10))P$(letter "$editor")$(letter $(($1 / 26)))$(letter $(($1 % 26)))"
}

# logged_by_program CALL: the call is in the program's log, or the station that may delete
# it has already done so (it got it from the program).
logged_by_program() { calls p | grep -qx "$1" || cat "$WORK"/*.ops | grep -qx "delete $1"; }

# program_burst FROM TO: types the QSOs FROM..TO-1 into the entry (call, Enter, the received
# number, Enter), then notes each that reached the program's log as added, and each that did
# not as an error. The file p.still keeps kill_program out meanwhile.
program_burst() {
  (
    flock 9
    local i call
    for ((i = $1; i < $2; i++)); do
      xdotool type --delay 15 "$(program_call "$i")"
      xdotool key Return
      xdotool type --delay 15 "$((i + 1))"
      xdotool key Return
    done
    for ((i = $1; i < $2; i++)); do
      call=$(program_call "$i")
      for _ in $(seq 100); do logged_by_program "$call" && break; sleep 0.1; done
      if logged_by_program "$call"; then
        echo "add $call" >>"$WORK/p.ops"
      else
        echo "the program did not log $call" >>"$WORK/p.errors"
        import -window root "$WORK/p-$call.png" 2>/dev/null
      fi
    done
  ) 9>"$WORK/p.still"
}

# program_work BURSTS SIZE: a burst of SIZE QSOs each time the other stations logged 150 more.
program_work() {
  local b
  for ((b = 0; b < $1; b++)); do
    when_added $(((b + 1) * 150))
    program_burst $((b * $2)) $(((b + 1) * $2))
  done
}

kill_program() {
  exec 7>"$WORK/p.still"
  flock 7
  kill -9 "$(cat "$WORK/p.pid")"
  wait "$(cat "$WORK/p.pid")" 2>/dev/null
  start_program
  exec 7>&-
}

# stop_program: the program must still run (it did not crash or quit) and end at SIGTERM.
stop_program() {
  local pid
  pid=$(cat "$WORK/p.pid")
  check "the program still runs" -- kill -TERM "$pid"
  wait "$pid" 2>/dev/null
  rm "$WORK/p.pid"
}
