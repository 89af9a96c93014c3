#!/usr/bin/env bash
# Runs the program under Xvfb on the shipped data, logs a few QSOs from the keyboard with
# xdotool and saves a PNG of every window into OUT_DIR (default docs/screenshots).
# Usage: tools/screenshots.sh [OUT_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/docs/screenshots}"
cd "$root"
source scripts/packages.sh
bash scripts/install-deps.sh "${MIRVA_BUILD_PACKAGES[@]}" "${MIRVA_DATA_PACKAGES[@]}" \
  "${MIRVA_UI_PACKAGES[@]}" xvfb xdotool imagemagick x11-utils
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null

work="$(mktemp -d)"
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

home="$work/home"
bash scripts/prepare-home.sh "$home" >/dev/null
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME" "$out"
# Every working window open, the first contest of the catalogue, a German station.
cat >"$XDG_CONFIG_HOME/Mirva contest module.conf" <<'CONF'
[Main]
sbNew.Down=true
sbContestStat.Down=true
sbPrev.Down=true
sbQSOList.Down=true
sbCalls.Down=true

[ContestName]
lbContestList.Tag=0

[Station%20configuration]
eCall=DL1ABC
eCountry=DL
eITU=28
eCQ=14
eCont=EU
eLat=51.0
eLong=-10.0
CONF

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
            'Contest statistic:statistics' 'Contest QSO list:qso-list'; do
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
echo "Screenshots in $out"
