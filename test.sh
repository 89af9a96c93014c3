#!/usr/bin/env bash
# Installs what is missing, builds the release (as ./run.sh does) and a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test of the latter through ctest;
# then the Windows build (MinGW-w64) and its tests under wine.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
bash scripts/install-deps.sh "${MIRVA_BUILD_PACKAGES[@]}" "${MIRVA_TEST_PACKAGES[@]}" \
  "${MIRVA_DATA_PACKAGES[@]}" "${MIRVA_UI_PACKAGES[@]}" "${MIRVA_WINDOWS_PACKAGES[@]}"
# A node that came with its own npm (not from Debian) conflicts with Debian's npm: keep it.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  bash scripts/install-deps.sh "${MIRVA_NODE_PACKAGES[@]}"
fi
npm ci --prefix tests/cli/adif-reader --no-audit --no-fund --silent
cmake --preset release >/dev/null
cmake --build --preset release
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j "$(nproc)"
# The core, mirva-cli and the companion link built for Windows, and their tests under wine.
windows_start=$SECONDS
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows -j "$(nproc)"
echo "The Windows build and its tests under wine took $((SECONDS - windows_start)) s"
