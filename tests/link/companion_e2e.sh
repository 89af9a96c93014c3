#!/usr/bin/env bash
# The program and a companion on a session bus of their own: mirva-cli's send plays the
# companion against the running program, whose log and shared entry file show what each
# command did. Usage: companion_e2e.sh MIRVA MIRVA_CLI SOURCE_DIR; exits 77 without
# dbus-run-session.
set -euo pipefail
mirva="$1"
cli="$2"
source_dir="$3"
if [ -z "${MIRVA_E2E_ON_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "dbus-run-session is not installed"; exit 77; }
  MIRVA_E2E_ON_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

work="$(mktemp -d)"
program=""
stop() {
  if [ -n "$program" ]; then
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT
home="$work/home"
bash "$source_dir/scripts/prepare-home.sh" "$home" >/dev/null
cp "$source_dir/tests/data/contest/CTY.DAT" "$home/CTY.DAT"
export XDG_CONFIG_HOME="$work/config" MIRVA_SHARED_DIR="$work/shared" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME" "$MIRVA_SHARED_DIR"
# CQ WW DX Contest (CW) and a station kept with the log, so that the program asks for neither.
printf '[Contest]\nName=CQ WW DX Contest (CW)\n[Station configuration]\neCall=DL1ABC\n' \
  >"$home/workspace.ini"
entry="$MIRVA_SHARED_DIR/mirva.INI"

fail() {
  echo "$1"
  echo "--- the program said:"
  cat "$work/program.log"
  exit 1
}
logged() { "$cli" --dir "$home" list; }
# Sends a command and checks what mirva-cli printed and its exit status.
send() {
  local expected="$1" status=0
  shift
  out="$("$cli" send "$@")" || status=$?
  [ "$out" = "$expected" ] || fail "send $*: printed '$out', not '$expected' (status $status)"
  [ "$status" = "${expected_status:-0}" ] || fail "send $*: exit status $status"
}

"$mirva" --dir "$home" >"$work/program.log" 2>&1 &
program=$!
# The entry file appears once the windows are up; the event loop, and the link, follow.
for _ in $(seq 100); do [ -e "$entry" ] && break; sleep 0.1; done
[ -e "$entry" ] || fail "the program wrote no $entry"

printf '[QSO]\r\nCall=ua9xyz\r\nNumberRcvd=17\r\n' >"$MIRVA_SHARED_DIR/loginput.ini"
send "reply: wParam 129 lParam 1" 129 1048580
logged | grep -q "UA9XYZ.*17" || fail "send 129 logged no UA9XYZ with 17: $(logged)"
grep -q $'^Call=\r$' "$entry" || fail "the entry file was not cleared after the save: $(cat "$entry")"

# The received report emptied by the companion, a save is refused and logs nothing.
send "reply: wParam 133 lParam 1" 133 262144
before_log="$(logged)"
send "reply: wParam 128 lParam 0" 128 0
[ "$(logged)" = "$before_log" ] || fail "send 128 without a received report logged: $(logged)"

# A code the program does not know gets no answer and touches nothing.
printf '[QSO]\r\nCall=DL9ZZZ\r\n' >"$MIRVA_SHARED_DIR/loginput.ini"
before_entry="$(cat "$entry")"
expected_status=3 send "no reply within 300 ms" 100 4294967295 --wait 300
[ "$(logged)" = "$before_log" ] || fail "send 100 changed the log: $(logged)"
[ "$(cat "$entry")" = "$before_entry" ] || fail "send 100 changed the entry file: $(cat "$entry")"
kill -0 "$program" 2>/dev/null || fail "the program ended"
