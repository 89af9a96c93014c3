#!/usr/bin/env bash
# The window benchmarks with a screen reader's client attached: bench_ui runs under Xvfb with
# the accessibility bus up and Qt's AT-SPI bridge on, while a client listens to every event the
# program sends and reads the name and role of each source, as a screen reader does.
# Usage: bench/atspi_ui.sh BUILD_DIR [BENCHMARK_FILTER]. Exits 77 when a part is missing.
set -euo pipefail
build="$1"
filter="${2:-^BM_Ui(PartialCallKey|FullCallKey|SaveKey)/}"
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb openbox dbus-run-session /usr/bin/python3 "$launcher"; do
  command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "no pyatspi"; exit 77; }

work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1280x960x24 3>"$work/display" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"

cat >"$work/client.py" <<'PY'
import signal, sys
import pyatspi

seen = [0]

def report(*_):
    print(f"the client heard {seen[0]} events", file=sys.stderr, flush=True)
    sys.exit(0)

signal.signal(signal.SIGTERM, report)

def on_event(event):
    # What a screen reader asks of each event's source before it speaks.
    seen[0] += 1
    try:
        source = event.source
        source.name, source.getRole(), source.getState()
    except Exception:
        pass

pyatspi.Registry.registerEventListener(on_event, "object:", "focus:", "window:")
pyatspi.Registry.start()
PY

cat >"$work/inside.sh" <<INSIDE
set -euo pipefail
$launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
/usr/bin/python3 "$work/client.py" </dev/null >/dev/null 2>"$work/client.log" &
client=\$!
sleep 1
status=0
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$build/bench_ui" \
  --benchmark_filter='$filter' || status=\$?
kill \$client 2>/dev/null || true
sleep 1
cat "$work/client.log" >&2
kill \$(jobs -p) 2>/dev/null || true
exit \$status
INSIDE
dbus-run-session -- bash "$work/inside.sh" 2> >(grep -v 'fd limit' >&2)
