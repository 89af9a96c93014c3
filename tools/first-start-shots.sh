#!/usr/bin/env bash
# The program's first start with no stored settings, under Xvfb and openbox on a 1280x960 and
# a 1920x1080 screen: every working window opened by its key, and the whole screen saved as
# first-start-1280x960.png and first-start-1920x1080.png into OUT_DIR.
# Usage: tools/first-start-shots.sh OUT_DIR [MIRVA]   (MIRVA: the program, default the release)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$1"
mirva="${2:-$root/build/release/mirva}"
mkdir -p "$out"
# A session bus of its own, so that no box about a missing one covers the windows.
if [ -z "${MIRVA_ON_BUS:-}" ] && command -v dbus-run-session >/dev/null; then
  MIRVA_ON_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

work="$(mktemp -d)"
pids=()
stop_all() {
  # The program first, then the window manager, then the display.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  pids=()
}
cleanup() {
  stop_all
  rm -rf "$work"
}
trap cleanup EXIT

for size in 1280x960 1920x1080; do
  home="$work/$size/home"
  bash "$root/scripts/prepare-home.sh" "$home" >/dev/null
  # The log keeps a contest and a station, so that no question covers the windows.
  cat >"$home/workspace.ini" <<'CONF'
[Contest]
Name=CQ WW DX Contest (CW)

[Station configuration]
eCall=DL1ABC
eCountry=DL
eITU=28
eCQ=14
eCont=EU
CONF
  export XDG_CONFIG_HOME="$work/$size/config"
  mkdir -p "$XDG_CONFIG_HOME"

  Xvfb -displayfd 3 -screen 0 "${size}x24" 3>"$work/$size/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/$size/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/$size/display")"
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  "$mirva" --dir "$home" >"$work/$size/program.log" 2>&1 &
  pids+=($!)

  main=$(xdotool search --sync --onlyvisible --name '^Mirva contest module' | head -1)
  xdotool windowactivate --sync "$main"
  # Alt and a window's number opens it from every window; Ctrl+M opens the multipliers.
  for number in 1 2 3 4 5 6; do
    xdotool key "alt+$number"
    sleep 0.4
  done
  xdotool key ctrl+m
  sleep 1
  import -window root "$out/first-start-$size.png"
  stop_all
done
echo "First start pictures in $out"
