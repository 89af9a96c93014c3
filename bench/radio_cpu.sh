#!/usr/bin/env bash
# The CPU the program spends on following a radio: it runs offscreen for SECONDS (default 30)
# connected to Hamlib's dummy radio behind rigctld, and again with the radio off, and prints
# the share of one core each run took after start-up (user + system time from /proc).
# Usage: bench/radio_cpu.sh BUILD_DIR [SECONDS]
set -euo pipefail
build="$1"
seconds="${2:-30}"
src="$(cd "$(dirname "$0")/.." && pwd)"
command -v rigctld >/dev/null || { echo "rigctld (libhamlib-utils) is not installed"; exit 77; }
work="$(mktemp -d)"
daemon=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  [ -n "$daemon" ] && kill "$daemon" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
rigctld -m 1 -T 127.0.0.1 -t "$port" &
daemon=$!
mkdir -p "$work/dir"
cp "$src"/data/* "$src/tests/data/contest/CTY.DAT" "$work/dir/"
ticks=$(getconf CLK_TCK)

# cpu_share ENABLED: the program's CPU over the measured seconds, in % of one core.
cpu_share() {
  mkdir -p "$work/config-$1"
  printf '[ContestName]\nlbContestList.Tag=6\n[Station%%20configuration]\neCall=UA3ABC\n[Radio]\nEnabled=%s\nModel=2\nPort=127.0.0.1:%s\n' \
    "$1" "$port" >"$work/config-$1/Mirva contest module.conf"
  XDG_CONFIG_HOME="$work/config-$1" QT_QPA_PLATFORM=offscreen "$build/mirva" --dir "$work/dir" &
  program=$!
  sleep 3  # start-up: the log, the country file, the windows
  local before after
  before=$(awk '{print $14 + $15}' "/proc/$program/stat")
  sleep "$seconds"
  after=$(awk '{print $14 + $15}' "/proc/$program/stat")
  kill "$program"
  wait "$program" 2>/dev/null || true
  program=""
  awk -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" \
    'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

echo "radio connected: $(cpu_share true)% of a core over ${seconds} s"
echo "radio off:       $(cpu_share false)% of a core over ${seconds} s"
