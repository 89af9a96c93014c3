#!/usr/bin/env bash
# Fills a working directory with the shipped reference files when it is new, and with the
# country file and the master call list of the hamradio-files package when it has none.
set -euo pipefail
home="$1"
src="$(cd "$(dirname "$0")/.." && pwd)/data"
if [ ! -d "$home" ]; then
  mkdir -p "$home"
  # The README describes the shipped lists, and .gitattributes is the repository's: neither is a
  # file the program reads.
  find "$src" -maxdepth 1 -type f ! -name README.md ! -name '.*' -exec cp -n {} "$home"/ \;
  echo "New working directory $home prepared from $src"
fi
if [ ! -e "$home/CTY.DAT" ] && [ -r /usr/share/hamradio-files/cty.dat ]; then
  cp /usr/share/hamradio-files/cty.dat "$home/CTY.DAT"
  echo "Country file copied to $home/CTY.DAT"
fi
if [ ! -e "$home/MASTER.SCP" ] && [ -r /usr/share/hamradio-files/MASTER.SCP ]; then
  cp /usr/share/hamradio-files/MASTER.SCP "$home/MASTER.SCP"
  echo "Master call list copied to $home/MASTER.SCP"
fi
