#!/usr/bin/env bash
# Pictures the Group window of a program that is station RUN of a group with station MULT
# (mirva-cli), both on a nats-server of its own on loopback, into OUT_DIR/group.png.
# Usage: tools/group-shot.sh BUILD_DIR [OUT_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
out="${2:-$root/docs/screenshots}"
work="$(mktemp -d)"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
echo "shot-token" >"$work/secret"
"$(command -v nats-server || echo /usr/sbin/nats-server)" -a 127.0.0.1 -p "$port" -js \
  -sd "$work/store" --auth shot-token >/dev/null 2>&1 &
pids+=($!)
url="nats://127.0.0.1:$port"
for station in run mult; do bash "$root/scripts/prepare-home.sh" "$work/$station" >/dev/null; done
cli=("$build/mirva-cli" --dir "$work/mult" --contest "CQ WW DX Contest (CW)" --station call=DL2ABC)
now=$(date -u '+%Y-%m-%d %H:%M')
"${cli[@]}" add --at "$now" --call K1AR --band 20 --rcvd 5 >/dev/null
"${cli[@]}" add --at "$now" --call JA1XYZ --band 15 --rcvd 25 >/dev/null
"${cli[@]}" group sync --server "$url" --group field-day --station MULT --token-file "$work/secret" >/dev/null
run=("$build/mirva-cli" --dir "$work/run" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
"${run[@]}" add --at "$now" --call UA3ABC --band 40 --rcvd 16 >/dev/null
"${run[@]}" group sync --server "$url" --group field-day --station RUN --token-file "$work/secret" >/dev/null
# The operator's call, as the Group dialog keeps it (the file's lines end in CR LF).
sed -i "s/^\\[Group\\]\r\$/[Group]\r\nOperator=DL1ABC\r/" "$work/run/workspace.ini"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME" "$out"
printf '[Main]\nsbGroup.Down=true\n' >"$XDG_CONFIG_HOME/Mirva contest module.conf"
Xvfb -displayfd 3 -screen 0 1280x960x24 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
(cd "$work/run" && exec "$build/mirva") >/dev/null 2>&1 &
pids+=($!)
group=$(xdotool search --sync --onlyvisible --name '^Group$' | head -1)
sleep 7  # the stations announce themselves every 5 seconds
xdotool windowactivate --sync "$group" 2>/dev/null || xdotool windowraise "$group"
sleep 0.5
import -window "$group" "$out/group.png"
echo "$out/group.png"
