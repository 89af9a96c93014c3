#!/usr/bin/env bash
# Checks every C++ file tracked by git against .clang-format and names the ones that drift;
# `clang-format -i FILE` mends one. Version 14 is the one the layout was settled with: another
# version breaks some lines differently.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! format=$(command -v clang-format-14 || command -v clang-format); then
  echo "format: clang-format is not installed (Debian package clang-format-14)" >&2
  exit 1
fi
# Each drift is an error line "FILE:LINE:COLUMN: error: ..."; the files are named once each.
drifted=$(git ls-files -z '*.cpp' '*.h' |
  { xargs -0 -P "$(nproc)" -n 64 "$format" --dry-run -Werror 2>&1 >/dev/null || true; } |
  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
if [ -n "$drifted" ]; then
  echo "These files differ from .clang-format (mend each with clang-format -i FILE):" >&2
  sed 's/^/  /' <<<"$drifted" >&2
  exit 1
fi
echo "format: every C++ file follows .clang-format"
