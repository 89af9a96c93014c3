#!/usr/bin/env bash
# An operator's keys in real windows, under Xvfb with the openbox window manager: a few QSOs
# with every box answered by a key, two deletes and an edit from the QSO list, the station
# dialog and the entry window hidden and shown. After each step the keyboard must be where the
# operator's next key belongs, and the log must hold exactly what was typed.
# Usage: keyboard_flow.sh MIRVA MIRVA_CLI SOURCE_DIR; exits 77 without Xvfb, openbox or xdotool.
set -uo pipefail
mirva="$1"
cli="$2"
source_dir="$3"
for tool in Xvfb openbox xdotool dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
if [ -z "${MIRVA_ON_BUS:-}" ]; then
  MIRVA_ON_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
home="$work/home"
bash "$source_dir/scripts/prepare-home.sh" "$home" >/dev/null
cp "$source_dir/tests/data/contest/CTY.DAT" "$home/CTY.DAT"
export XDG_CONFIG_HOME="$work/config" MIRVA_SHARED_DIR="$work/shared"
mkdir -p "$XDG_CONFIG_HOME" "$MIRVA_SHARED_DIR"
# The entry window and the QSO list open; the log keeps the Russian DX contest and a Moscow
# station.
cat >"$XDG_CONFIG_HOME/Mirva contest module.conf" <<'CONF'
[Main]
sbNew.Down=true
sbQSOList.Down=true
CONF
cat >"$home/workspace.ini" <<'CONF'
[Contest]
Name=Russian DX contest

[Station configuration]
eCall=UA3ABC
eCountry=UA
eITU=29
eCQ=16
eCont=EU
eState=MO
CONF

Xvfb -displayfd 3 -screen 0 1280x960x24 3>"$work/display" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
sleep 1
"$mirva" --dir "$home" >"$work/program.log" 2>&1 &

failures=0
window() { xdotool search --sync --onlyvisible --name "$1" | head -1; }
focused() { xdotool getwindowfocus getwindowname 2>/dev/null; }
# expect_focus STEP CAPTION: the window of that caption gets the keyboard within 3 s.
expect_focus() {
  for _ in $(seq 60); do [ "$(focused)" = "$2" ] && return; sleep 0.05; done
  echo "FAIL: $1: the keyboard is on '$(focused)', not on '$2'"
  failures=$((failures + 1))
}
keys() { xdotool key --delay 60 "$@"; }
type_text() { xdotool type --delay 60 "$1"; }
box="Mirva contest module"
main="Mirva contest module - Russian DX contest"

window '^New QSO$' >/dev/null
expect_focus "start" "New QSO"
# The proposed oblast is replaced by what is typed.
type_text UA1ABC; keys Return; type_text SP; keys Return
expect_focus "a save" "New QSO"
# Enter, Enter on an empty entry: the box, then the next call goes into the callsign.
keys Return Return
expect_focus "the empty callsign box" "$box"
keys Return
expect_focus "after the empty callsign box" "New QSO"
# No exchange: No keeps the entry, the exchange typed then saves it.
type_text K2XYZ; keys Return Return
expect_focus "the empty exchange question" "$box"
keys n
expect_focus "after No" "New QSO"
type_text 5; keys Return
expect_focus "a save after the question" "New QSO"
type_text DL1ABC; keys Return; type_text 7; keys Return
sleep 0.5

# In the list: the second row, two deletes with Ctrl+Del, each confirmed, then an edit opened
# with Enter and closed with Escape.
list=$(window '^Contest QSO list$')
xdotool mousemove --window "$list" 60 40 click 1
expect_focus "the list clicked" "Contest QSO list"
for n in 1 2; do
  keys ctrl+Delete
  expect_focus "delete question $n" "$box"
  keys y
  expect_focus "after delete $n" "Contest QSO list"
done
keys Return
expect_focus "Edit QSO" "Edit QSO"
keys Escape
expect_focus "after Edit QSO" "Contest QSO list"

# The station dialog from the menu: afterwards the callsign takes the next key.
xdotool mousemove --window "$(window "^$main\$")" 174 9 click 1
sleep 0.3
keys s
expect_focus "the station dialog" "Station configuration"
keys Escape
expect_focus "after the station dialog" "New QSO"
# Alt+1 hides the entry window and shows it again with the keyboard in the callsign.
keys alt+1
expect_focus "the entry hidden" "$main"
keys alt+1
expect_focus "the entry shown" "New QSO"
type_text OK1XYZ; keys Return; type_text 9; keys Return
# The multipliers window opens from the entry with Ctrl+M and Escape closes it; the list, given
# the keyboard by a click, is hidden by Alt+4: each time the callsign takes the next key.
keys ctrl+m
expect_focus "the multipliers window" "Miltipliers list"
keys Escape
expect_focus "after the multipliers window" "New QSO"
xdotool mousemove --window "$list" 60 40 click 1
expect_focus "the list clicked again" "Contest QSO list"
keys alt+4
expect_focus "the list hidden" "New QSO"
type_text UA9XX
sleep 0.5

# The entry shares what is typed: the last call went into the callsign field.
entry_call=$(grep -a '^Call=' "$MIRVA_SHARED_DIR/mirva.INI" | tr -d '\r')
if [ "$entry_call" != "Call=UA9XX" ]; then
  echo "FAIL: the entry's callsign is '$entry_call', not UA9XX"
  failures=$((failures + 1))
fi
log=$("$cli" --dir "$home" list 2>&1 | cut -f4,10)
expected=$'UA1ABC\tSP\nOK1XYZ\t9'
if [ "$log" != "$expected" ]; then
  echo "FAIL: the log holds"
  printf '%s\n' "$log"
  echo "instead of"
  printf '%s\n' "$expected"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "all checks passed"
