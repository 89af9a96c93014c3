#!/usr/bin/env bash
# While the program runs on a working directory, mirva-cli's writing commands are turned away
# with the holder named, readers still read, and once it ends a writer gets in.
# Usage: one_writer.sh MIRVA MIRVA_CLI SOURCE_DIR
set -euo pipefail
mirva="$1"
cli="$2"
source_dir="$3"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
home="$work/home"
bash "$source_dir/scripts/prepare-home.sh" "$home" >/dev/null
cp "$source_dir/tests/data/contest/CTY.DAT" "$home/CTY.DAT"
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
contest=(--contest "CQ WW DX Contest (CW)" --station call=DL1ABC)

"$mirva" --dir "$home" >"$work/program.log" 2>&1 &
program=$!
for _ in $(seq 100); do grep -q mirva "$home/mrvtest.lck" 2>/dev/null && break; sleep 0.1; done

if "$cli" --dir "$home" "${contest[@]}" add --call UA3ABC --band 20 --rcvd 16 >"$work/out" 2>&1; then
  echo "a writer got in while the program ran"; exit 1
fi
grep -q "is open in mirva, process $program" "$work/out" ||
  { echo "the refusal does not name the program:"; cat "$work/out"; exit 1; }
"$cli" --dir "$home" "${contest[@]}" totals >/dev/null || { echo "a reader was turned away"; exit 1; }

kill "$program"
wait "$program" 2>/dev/null || true
"$cli" --dir "$home" "${contest[@]}" add --call UA3ABC --band 20 --rcvd 16 >/dev/null ||
  { echo "no writer got in after the program ended"; exit 1; }
