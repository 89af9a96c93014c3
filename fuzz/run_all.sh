#!/bin/bash
# Runs every fuzz target of the fuzz preset's build in turn, each for SECONDS (default 600),
# at low priority, with a scratch corpus ahead of its seeds. Each run's output is kept in
# OUT/NAME.log and any crash, leak or slow input in OUT as NAME-crash-*, NAME-leak-* or
# NAME-timeout-*; the last line of each target's report is printed as it ends.
# Usage: fuzz/run_all.sh [SECONDS] [OUT] [NAME...]
set -u
cd "$(dirname "$0")/.."
seconds=${1:-600}
out=${2:-/tmp/mirva-fuzz}
shift $(($# < 2 ? $# : 2))
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for binary in build/fuzz/fuzz/fuzz_*; do
    names+=("${binary##*/fuzz_}")
  done
fi
mkdir -p "$out"
for name in "${names[@]}"; do
  binary=build/fuzz/fuzz/fuzz_$name
  if [ ! -x "$binary" ]; then
    echo "$name: no $binary; build the fuzz preset first" >&2
    exit 1
  fi
  mkdir -p "$out/corpus-$name"
  nice -n 10 "$binary" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
    -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$out/$name-" \
    "$out/corpus-$name" "fuzz/corpus/$name" > "$out/$name.log" 2>&1
  status=$?
  echo "$name: exit $status, $(grep -E '^#[0-9]+' "$out/$name.log" | tail -1)"
done
