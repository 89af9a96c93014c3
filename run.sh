#!/usr/bin/env bash
# Installs what is missing, builds, prepares the working directory
# (MIRVA_HOME, default ~/mirva) and starts the program there.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/install-deps.sh "${MIRVA_BUILD_PACKAGES[@]}" "${MIRVA_TEST_PACKAGES[@]}" \
  "${MIRVA_DATA_PACKAGES[@]}" "${MIRVA_UI_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release
home="${MIRVA_HOME:-$HOME/mirva}"
bash scripts/prepare-home.sh "$home"
exec build/release/mirva-cli --dir "$home" status
