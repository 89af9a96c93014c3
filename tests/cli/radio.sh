# radio: asks Hamlib's dummy radio behind a rigctld once, and puts its frequency through the
# band plan of the working directory; a radio that does not answer fails saying where it is.
source "$(dirname "$0")/testlib.bash"

while IFS='|' read -r words message; do
  [ -z "$words" ] && continue
  eval "set -- $words"
  expect_status "radio $words" 2 "mirva-cli: $message" -- "$CLI" radio "$@"
done <<'EOF_CASES'
--model x|--model must be a whole number from 1, not 'x'
--model 0 --port 127.0.0.1:1|--model must be a whole number from 1, not '0'
--speed -1 --port 127.0.0.1:1|--speed must be a whole number from 0, not '-1'
--port ""|--port needs a serial device or HOST:PORT
--port|--port needs a value
extra|radio does not take 'extra'
EOF_CASES

if ! command -v rigctld >/dev/null || ! command -v rigctl >/dev/null; then
  echo "rigctld and rigctl (libhamlib-utils) are not installed"
  exit 77
fi
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
rigctld -m 1 -T 127.0.0.1 -t "$port" &
daemon=$!
trap 'kill $daemon 2>/dev/null; rm -rf "$WORK"' EXIT
for _ in $(seq 50); do rigctl -m 2 -r "127.0.0.1:$port" f >/dev/null 2>&1 && break; sleep 0.1; done

mkdir "$WORK/dir"
cp "$SRC"/data/* "$SRC/tests/data/CTY.DAT" "$WORK/dir/"
printf '\tStart freq\tEnd freq\tCW\tSSB\tDIGI\t\r\n20\t14000\t14350\t14000\t14100\t14070\t\r\n' \
  >"$WORK/dir/bandplan.mrv"
ask() {
  "$CLI" --dir "$WORK/dir" --contest "$1" radio --model 2 --port "127.0.0.1:$port"
}

# frequency (Hz) | mode | contest | the lines radio prints
while IFS='|' read -r hz mode contest expected; do
  [ -z "$hz" ] && continue
  rigctl -m 2 -r "127.0.0.1:$port" F "$hz" M "$mode" 0
  expect_output "radio at $hz $mode in $contest" "$(printf '%b' "$expected")" -- ask "$contest"
done <<'EOF_CASES'
14025000|USB|Russian DX contest|Frequency: 14025.000 kHz\nRadio mode: USB\nBand: 20\nMode: CW
14200500|CW|Russian DX contest|Frequency: 14200.500 kHz\nRadio mode: CW\nBand: 20\nMode: SSB
14080000|CW|Russian DX contest|Frequency: 14080.000 kHz\nRadio mode: CW\nBand: 20\nMode: unchanged (not a mode of the contest)
21300000|LSB|Russian DX contest|Frequency: 21300.000 kHz\nRadio mode: LSB\nBand: unchanged (no row of the band plan for a band of the contest holds the frequency)\nMode: SSB
14025000|CW|ARRL 10 meter Contest|Frequency: 14025.000 kHz\nRadio mode: CW\nBand: unchanged (no row of the band plan for a band of the contest holds the frequency)\nMode: CW
EOF_CASES

kill "$daemon"
wait "$daemon" 2>/dev/null
expect_status "a radio that does not answer" 1 \
  "mirva-cli: the radio (model 2 at 127.0.0.1:$port) does not answer:" -- ask "Russian DX contest"
finish
