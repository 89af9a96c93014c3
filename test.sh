#!/usr/bin/env bash
# Installs what is missing, builds the release (as ./run.sh does) and a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test of the latter through ctest;
# then the tests of the program's threads (the radio, the companion link, the cluster feeds, the
# monkey) built with ThreadSanitizer; then the Windows build (MinGW-w64) and its tests under wine.
# It ends with the time of each part.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
source scripts/timing.sh
install_all() {
  bash scripts/install-deps.sh "${MIRVA_BUILD_PACKAGES[@]}" "${MIRVA_TEST_PACKAGES[@]}" \
    "${MIRVA_DATA_PACKAGES[@]}" "${MIRVA_UI_PACKAGES[@]}" "${MIRVA_WINDOWS_PACKAGES[@]}"
  # A node that came with its own npm (not from Debian) conflicts with Debian's npm: keep it.
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    bash scripts/install-deps.sh "${MIRVA_NODE_PACKAGES[@]}"
  fi
  npm ci --prefix tests/cli/adif-reader --no-audit --no-fund --silent
}
build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}
timed "install" install_all
timed "format check" bash scripts/check-format.sh
timed "release build" build release
# The Debian package from the release build, unpacked and tried in a throw-away root.
timed "package" bash tests/package/package.sh build/release
timed "asan build" build asan
timed_ctest "asan tests (wall)" --preset asan -j "$(nproc)"
# The build preset makes only these tests' programs; tests/tsan.supp says what is set aside.
timed "tsan build" build tsan
timed_ctest "tsan tests (wall)" --preset tsan -j "$(nproc)"
# The core, mirva-cli and the companion link built for Windows, and their tests under wine.
timed "windows build" build windows
timed_ctest "windows tests under wine (wall)" --preset windows -j "$(nproc)"
print_times
