#!/usr/bin/env bash
# Runs the program under Xvfb on the shipped data, logs a few QSOs from the keyboard with
# xdotool and saves a PNG of every window into OUT_DIR (default docs/screenshots); then the
# first start with no stored settings at 1280x960 and 1920x1080 (tools/first-start-shots.sh).
# Usage: tools/screenshots.sh [OUT_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/docs/screenshots}"
cd "$root"
source scripts/packages.sh
bash scripts/install-deps.sh "${MIRVA_BUILD_PACKAGES[@]}" "${MIRVA_DATA_PACKAGES[@]}" \
  "${MIRVA_UI_PACKAGES[@]}" xvfb xdotool imagemagick x11-utils python3 openbox dbus-daemon
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null

work="$(mktemp -d)"
xvfb_pid=""
program_pid=""
sink_pid=""
node_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$sink_pid" ] && kill "$sink_pid" 2>/dev/null || true
  [ -n "$node_pid" ] && kill "$node_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

home="$work/home"
bash scripts/prepare-home.sh "$home" >/dev/null
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME" "$out"
# Every working window open.
cat >"$XDG_CONFIG_HOME/Mirva contest module.conf" <<'CONF'
[Main]
sbNew.Down=true
sbContestStat.Down=true
sbPrev.Down=true
sbQSOList.Down=true
sbCalls.Down=true
sbCheckPartial.Down=true

CONF
# The log keeps the first contest of the catalogue and a German station; State holds the zone
# that the Russian championship, whose summary is shown last, asks for.
cat >"$home/workspace.ini" <<'CONF'
[Contest]
Name=CQ WW DX Contest (CW)

[Station configuration]
eCall=DL1ABC
eCountry=DL
eITU=28
eCQ=14
eCont=EU
eLat=51.0
eLong=-10.0
eState=3

[Call history]
Files=club.txt
CONF
# A call history names a station the entry is left on, and proposes its zone.
printf '!!Order!!,Call,Name,CqZone,UserText\r\nDL2XX,Hans,14,DARC club station\r\n' \
  >"$home/club.txt"

# A stand-in for cwdaemon takes the CW terminal's text, so that no box about a missing
# cwdaemon covers the windows.
python3 -u -c '
import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
while True:
    s.recv(512)
' >"$work/sink_port" &
sink_pid=$!
for _ in $(seq 50); do [ -s "$work/sink_port" ] && break; sleep 0.1; done
printf '\n[cwdaemon]\nHost=127.0.0.1\nPort=%s\n' "$(cat "$work/sink_port")" \
  >>"$XDG_CONFIG_HOME/Mirva contest module.conf"

# A cluster node on loopback spots stations on 160 m, the entry's band: some worked below (grey),
# some new multipliers (red), some new QSOs (blue), and one in the phone part of the band.
python3 -u -c '
import socket, time
spots = [("1822.0", "OH2BH", "CQ"), ("1826.5", "K3LR", ""), ("1830.1", "JA1XYZ", ""),
         ("1833.0", "VK2IA", "up 1"), ("1836.2", "UA3ABC", ""), ("1809.9", "9A1A", "CQ TEST"),
         ("1812.3", "W1AW", ""), ("1815.0", "DL2XX", ""), ("1818.7", "F6BEE", ""),
         ("1841.2", "LY4A", "QSX 1845"), ("1850.0", "PY2NY", ""), ("1826.9", "K1AR", "")]
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen(1)
print(s.getsockname()[1])
c, _ = s.accept()
c.sendall(b"login: ")
c.recv(100)
for n, (khz, call, comment) in enumerate(spots):
    c.sendall(("DX de SK3W-#:    %7s  %-12s %-30s 17%02dZ\r\n" % (khz, call, comment, 20 + n)).encode())
    time.sleep(0.05)
while c.recv(100):
    pass
' >"$work/node_port" &
node_pid=$!
for _ in $(seq 50); do [ -s "$work/node_port" ] && break; sleep 0.1; done
printf '\n[Cluster]\nFeeds=127.0.0.1:%s\nLogin=DL1ABC\n' "$(cat "$work/node_port")" \
  >>"$XDG_CONFIG_HOME/Mirva contest module.conf"

Xvfb -displayfd 3 -screen 0 1280x960x24 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

build/release/mirva --dir "$home" >"$work/program.log" 2>&1 &
program_pid=$!

window() { xdotool search --sync --onlyvisible --name "$1" | head -1; }
shot() { import -window "$(window "$1")" "$out/$2.png"; }
settle() { sleep 0.4; }

main=$(window '^Mirva contest module')
entry=$(window '^New QSO$')
# A click in the callsign field makes the entry window the active one (Xvfb has no window
# manager to do it).
xdotool mousemove --window "$entry" 90 75 click 1
settle
# A few contacts, each with Enter in the callsign and Enter in the received exchange.
for call in JA1XYZ UA3ABC W1AW DL2XX DL1AA; do
  xdotool type --delay 40 "$call"
  xdotool key Return
  settle
  xdotool key Return
  settle
done
# A call worked before: the worked-calls window lists it, the grid shows the multipliers, and
# Enter moves on to the received exchange, which shows the earlier QSO in "Previous QSO".
xdotool type --delay 40 "DL2XX"
xdotool key Return
settle
for name in 'Mirva contest module:main' 'New QSO:entry' 'Calls:calls' 'Previous QSO:previous' \
            'Contest statistic:statistics' 'Contest QSO list:qso-list' \
            'Check partial:check-partial'; do
  shot "^${name%%:*}" "${name##*:}"
done

# Dialogs open from the main window's "Config" menu and the QSO list's Enter.
open_config_item() {
  xdotool mousemove --window "$main" 174 9 click 1
  settle
  xdotool key "$1"
  settle
}
open_config_item s
shot '^Station configuration$' station
xdotool key Escape
settle
open_config_item c
shot '^Contest$' contest-selection
xdotool key Escape
settle
xdotool mousemove --window "$(window '^Contest QSO list$')" 60 40 click 1
settle
xdotool key Return
settle
shot '^Edit QSO$' edit-qso
xdotool key Escape
settle

# The multipliers window opens with Ctrl+M from every window, here from the entry window.
xdotool mousemove --window "$entry" 90 75 click 1
settle
xdotool key ctrl+m
settle
shot '^Miltipliers list$' mults
xdotool key Escape
settle

# The band map opens with Alt+8 from the entry window and closes again, so that it covers no
# window shot later.
xdotool mousemove --window "$entry" 90 75 click 1
settle
xdotool key alt+8
settle
shot '^Band map$' band-map
xdotool key alt+8
settle

# The main window's menus by the x of their titles; Down and Enter pick the nth item.
open_menu_item() {
  xdotool mousemove --window "$main" "$1" 9 click 1
  settle
  for _ in $(seq "$2"); do xdotool key Down; done
  xdotool key Return
  settle
}
tools=72
reports=118
help=222
tab() { for _ in $(seq "$1"); do xdotool key Tab; done; }

# Cabrillo: a few header fields, then Generate (the thirteenth stop from the callsign, after
# the "Cabrillo 3.0" box) checks the log and shows it in the preview.
open_menu_item $reports 1
tab 1
xdotool type --delay 20 "Hans Muster"
tab 2
xdotool type --delay 20 "SINGLE-OP"
tab 2
xdotool type --delay 20 "LOW"
tab 1
xdotool type --delay 20 "CW"
settle
shot '^Cabrillo$' cabrillo
tab 6
xdotool key space
settle
# The header leaves the band category empty: the check lists that, and Enter saves anyway.
shot '^Cabrillo log problems$' cabrillo-problems
xdotool key Return
settle
shot '^Report preview$' cabrillo-preview
xdotool key Escape
settle

# Create report: the class, then Insert in the operator list asks for an operator.
open_menu_item $reports 2
tab 1
xdotool type --delay 20 "SO"
tab 2
xdotool key Insert
settle
xdotool type --delay 20 "Hans"
tab 1
xdotool type --delay 20 "Muster"
tab 2
xdotool type --delay 20 "DL1ABC"
tab 1
xdotool type --delay 20 "MS"
settle
shot '^Operator info$' operator
xdotool key Return
settle
shot '^Create report$' report
xdotool key Escape
settle

open_menu_item $help 1
shot '^About$' about
xdotool key Escape
settle

# Ctrl+Z works while the main window is the active one, which a click cannot make it here;
# its "Tools" menu opens the terminal as well.
open_menu_item $tools 1
xdotool type --delay 40 "TEST DL1ABC"
shot '^CW terminal$' cw-terminal
xdotool key Escape
settle

# The summary of the Russian championship, whose sheet is in Russian: the contest is chosen
# in the Contest dialog (its row in data/Contests.mrv, counted from 0), then "Generate
# summary" is the eleventh stop from the callsign of "Create report".
russian_row=10
open_config_item c
xdotool key Home
for _ in $(seq $russian_row); do xdotool key Down; done
xdotool key Return
settle
open_menu_item $reports 2
tab 11
xdotool key space
settle
shot '^Report preview$' summary
xdotool key Escape
settle
xdotool key Escape
settle

# The band-plan window has no menu item to show; a helper draws it on the same directory.
QT_QPA_PLATFORM=offscreen build/release/mirva-grab-band-plan "$home" "$out/band-plan.png"

bash tools/first-start-shots.sh "$out" build/release/mirva >/dev/null
echo "Screenshots in $out"
