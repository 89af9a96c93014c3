#!/usr/bin/env bash
# Makes the Debian package from a build folder (default build/release) and tries it out as an
# operator would, without installing it into the system: its control fields and file list,
# mirva-cli from a throw-away root, the programs' own working directory on a start from the
# menu, the menu entry (desktop-file-validate), the manual pages (man) and, where lintian is
# installed, Debian's checks. Run from anywhere; leaves the package in BUILD/package.
# Usage: package.sh [BUILD_DIR]
set -euo pipefail
source="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$source/build/release}" && pwd)"
work=$(mktemp -d)
program=""
finish() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT
fail() {
  echo "package: $*" >&2
  exit 1
}

cmake --build "$build" --target mirva mirva-cli mirva_manuals
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" >"$work/cpack.log") ||
  { cat "$work/cpack.log" >&2; fail "cpack could not make the package"; }
deb=$(ls "$build"/package/mirva_*.deb)
echo "package: $deb"

# The control fields, and the libraries dpkg-shlibdeps found.
info=$(dpkg-deb -I "$deb")
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mirva ] || fail "package name $(field Package)"
[ "$(field Section)" = hamradio ] || fail "section $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
for library in libqt6widgets6 libqt6charts6 libqt6dbus6 libhamlib libstdc++6 qt6-qpa-plugins; do
  grep -q "^ Depends:.*$library" <<<"$info" || fail "Depends names no $library: $(field Depends)"
done
[ "$(field Recommends)" = hamradio-files ] || fail "Recommends $(field Recommends)"

# Every file in its place, owned by root.
contents=$(dpkg-deb -c "$deb")
for path in usr/bin/mirva usr/bin/mirva-cli usr/share/mirva/Contests.mrv \
  usr/share/mirva/RUS.DOM usr/share/applications/mirva.desktop \
  usr/share/icons/hicolor/scalable/apps/mirva.svg usr/share/icons/hicolor/48x48/apps/mirva.png \
  usr/share/man/man1/mirva-cli.1.gz usr/share/man/man1/mirva.1.gz \
  usr/share/doc/mirva/copyright usr/share/doc/mirva/changelog.gz; do
  grep -q " \./$path\$" <<<"$contents" || fail "the package holds no $path"
done
! grep -q "usr/share/mirva/README.md" <<<"$contents" || fail "the data README is installed as data"
strangers=$(grep -v " root/root " <<<"$contents" || true)
[ -z "$strangers" ] || fail "files not owned by root: $strangers"

# mirva-cli from the unpacked package, on a fresh directory.
root="$work/root"
dpkg-deb -x "$deb" "$root"
cli="$root/usr/bin/mirva-cli"
help=$("$cli" --help) && grep -q "^usage: mirva-cli" <<<"$help" || fail "mirva-cli --help"
version=$("$cli" --version) && grep -q "^mirva-cli " <<<"$version" || fail "mirva-cli --version"
mkdir "$work/fresh"
XDG_CONFIG_HOME="$work/config" "$cli" --dir "$work/fresh" status >"$work/status.txt" ||
  fail "mirva-cli status on a fresh directory: $(cat "$work/status.txt")"
grep -qx "Working directory: $work/fresh" "$work/status.txt" || fail "status: $(cat "$work/status.txt")"
[ -z "$(ls -A "$work/fresh")" ] || fail "status wrote into its directory: $(ls -A "$work/fresh")"

# A start from the menu: no --dir, in the home folder. The program makes ~/mirva from the
# installed reference files and the system's country files, and leaves the home alone.
home="$work/home"
mkdir -p "$home"
(cd "$home" && HOME="$home" XDG_CONFIG_HOME="$home/.config" MIRVA_SHARED_DIR="$work/shared" \
  QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" \
  exec "$root/usr/bin/mirva" >"$work/program.log" 2>&1) &
program=$!
for _ in $(seq 150); do
  [ -e "$home/mirva/mrvtest.lck" ] && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
[ -e "$home/mirva/mrvtest.lck" ] ||
  fail "the program started from the menu holds no log in ~/mirva: $(cat "$work/program.log")"
kill "$program"
wait "$program" 2>/dev/null || true
program=""
for file in Contests.mrv RUS.DOM Spain.DOM; do
  cmp -s "$root/usr/share/mirva/$file" "$home/mirva/$file" || fail "~/mirva/$file not copied"
done
if [ -r /usr/share/hamradio-files/cty.dat ]; then
  cmp -s /usr/share/hamradio-files/cty.dat "$home/mirva/CTY.DAT" || fail "~/mirva/CTY.DAT"
fi
grep -q "New working directory $home/mirva prepared from /" "$work/program.log" ||
  fail "the program did not say where it works: $(cat "$work/program.log")"
strays=$(ls -A "$home" | grep -v -x -e mirva -e .config || true)
[ -z "$strays" ] || fail "the program wrote into the home folder: $strays"

# The menu entry and the manual pages, where their checkers are installed.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/mirva.desktop" || fail "desktop file"
else
  echo "package: desktop-file-validate not installed (desktop-file-utils): menu entry unchecked"
fi
if command -v man >/dev/null; then
  for page in mirva-cli mirva; do
    warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >"$work/$page.txt")
    [ -z "$warnings" ] || fail "man $page: $warnings"
  done
  grep -q "^ *status  *what the working directory holds" "$work/mirva-cli.txt" ||
    grep -q "^ *status$" "$work/mirva-cli.txt" || fail "mirva-cli's manual page names no status"
else
  echo "package: man not installed (man-db): manual pages unchecked"
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || fail "lintian found errors"
else
  echo "package: lintian not installed: Debian's checks skipped"
fi
echo "package: $(basename "$deb") checked"
