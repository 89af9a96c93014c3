#!/usr/bin/env bash
# The core's folders are layers: an include may reach its own folder or one below, never up.
# Usage: layers.sh SOURCE_DIR
set -euo pipefail
core="$1/src/core"
rank() {
  case "$1" in
    text) echo 0 ;;
    log | link) echo 1 ;;
    reference) echo 2 ;;
    contest) echo 3 ;;
    scoring) echo 4 ;;
    session) echo 5 ;;
    reports) echo 6 ;;
    workspace) echo 7 ;;
    *) echo "unknown layer '$1'" >&2; exit 2 ;;
  esac
}
status=0
for dir in "$core"/*/; do
  layer=$(basename "$dir")
  own=$(rank "$layer")
  while IFS=: read -r file line; do
    target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$line")
    if (( $(rank "$target") > own )); then
      echo "${file#"$core"/} includes $target, a layer above $layer" >&2
      status=1
    fi
  done < <(grep -rE '^#include "[a-z_]+/' "$dir" || true)
done
exit $status
