#!/usr/bin/env bash
# Installs what is missing, builds, prepares the working directory
# (MIRVA_HOME, default ~/mirva) and starts the program there: its windows on a desktop,
# otherwise mirva-cli's status and how to run the windows without a display.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/install-deps.sh "${MIRVA_BUILD_PACKAGES[@]}" "${MIRVA_TEST_PACKAGES[@]}" \
  "${MIRVA_DATA_PACKAGES[@]}" "${MIRVA_UI_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release
home="${MIRVA_HOME:-$HOME/mirva}"
bash scripts/prepare-home.sh "$home"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/mirva --dir "$home"
fi
echo "No display: the program's windows need a desktop. To run them without one:"
echo "  xvfb-run -a build/release/mirva --dir \"$home\"   (Debian package xvfb)"
echo "Meanwhile, the working directory as mirva-cli sees it:"
exec build/release/mirva-cli --dir "$home" status
