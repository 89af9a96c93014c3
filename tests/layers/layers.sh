#!/usr/bin/env bash
# The folders of the core and of the windows are layers: an include may reach its own folder or
# one below, never up. The core's own root files (errors, the file system) lie at the bottom,
# beside the text routines.
# Usage: layers.sh SOURCE_DIR
set -euo pipefail
src="$1/src"
core_rank() {
  case "$1" in
    . | text) echo 0 ;;
    log | link) echo 1 ;;
    reference) echo 2 ;;
    contest) echo 3 ;;
    scoring | history) echo 4 ;;
    session) echo 5 ;;
    reports | spots | wsjtx) echo 6 ;;
    workspace) echo 7 ;;
    group) echo 8 ;;
    *) echo "unknown layer '$1'" >&2; exit 2 ;;
  esac
}
ui_rank() {
  case "$1" in
    widgets | models) echo 0 ;;
    radio | spots | history | wsjtx) echo 1 ;;
    dialogs) echo 2 ;;
    windows) echo 3 ;;
    *) echo "unknown layer '$1'" >&2; exit 2 ;;
  esac
}
status=0
# check ROOT RANK_FUNCTION FOLDER...: the includes of each folder's files, by the folder they name.
check() {
  local root="$1" rank="$2"
  shift 2
  for layer in "$@"; do
    local own files
    own=$($rank "$layer")
    if [ "$layer" = . ]; then
      files=$(find "$root" -maxdepth 1 -type f)
    else
      files=$(find "$root/$layer" -type f)
    fi
    while IFS=: read -r file line; do
      target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$line")
      included=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
      # The windows include the core's folders too, some of the same name as their own; only
      # the tree's own files are its layers.
      [ -f "$root/$included" ] || continue
      if (( $($rank "$target") > own )); then
        echo "${file#"$src"/} includes $target, a layer above $layer" >&2
        status=1
      fi
    done < <(grep -HE '^#include "[a-z_]+/' $files || true)
  done
}
check "$src/core" core_rank . $(cd "$src/core" && ls -d */ | tr -d /)
check "$src/ui" ui_rank $(cd "$src/ui" && ls -d */ | tr -d /)
exit $status
