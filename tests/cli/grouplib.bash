# Helpers for the group tests, sourced after testlib.bash: a real nats-server on a loopback
# port with its store in $WORK/store, and the group's secret in $WORK/secret. Exits with 77
# when the broker or this build's NATS client is missing.
NATS=$(command -v nats-server || echo /usr/sbin/nats-server)
if [ ! -x "$NATS" ]; then
  echo "nats-server is not installed (Debian package nats-server)"
  exit 77
fi
mkdir "$WORK/probe"
if "$CLI" --dir "$WORK/probe" group sync 2>&1 | grep -q "built without the NATS client"; then
  echo "this mirva-cli was built without the NATS client"
  exit 77
fi

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
URL="nats://127.0.0.1:$port"
TOKEN="group-token-$RANDOM$RANDOM"
printf '%s\n' "$TOKEN" >"$WORK/secret"
broker=""

# wait_for_port: until the broker listens, or the test fails.
wait_for_port() {
  for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && return; sleep 0.05; done
  echo "FAIL: nats-server did not listen"; cat "$WORK/nats.log"; exit 1
}
start_broker() {
  "$NATS" -a 127.0.0.1 -p "$port" -js -sd "$WORK/store" --auth "$TOKEN" >>"$WORK/nats.log" 2>&1 &
  broker=$!
  wait_for_port
}
kill_broker() { kill -9 "$broker"; wait "$broker" 2>/dev/null; }
