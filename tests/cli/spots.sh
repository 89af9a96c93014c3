# spots: reads a node of the tests' own on 127.0.0.1 that replays thousands of spot, skimmer,
# announcement and broken lines (SPOTS_RATE lines a second, SPOTS_LINES of them), and checks
# that each spot comes out once, weighed against a small log; --seconds ends a silent feed.
source "$(dirname "$0")/testlib.bash"

RATE="${SPOTS_RATE:-2000}"
LINES="${SPOTS_LINES:-10000}"
D="$WORK/log"
new_dir log
printf '\tStart freq\tEnd freq\tCW\tSSB\tDIGI\t\r\n40\t7000\t7200\t7000\t7040\t\t\r\n30\t10100\t10150\t10100\t\t\t\r\n20\t14000\t14350\t14000\t14100\t14070\t\r\n15\t21000\t21450\t21000\t21150\t\t\r\n' \
  >"$D/Bandplan.mrv"
mirva=("$CLI" --dir "$D" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
add_qsos mirva "2025-11-29 12:00 F5AB 20 14" "2025-11-29 12:01 W1AW 20 05"

# node LINES RATE: starts the fake node; its port is in $port once it listens.
node() {
  rm -f "$WORK/port"
  python3 "$SRC/tests/cli/fake_cluster.py" "$WORK/port" "$WORK/expected" DL1ABC "$1" "$2" &
  node_pid=$!
  for _ in $(seq 100); do [ -s "$WORK/port" ] && break; sleep 0.05; done
  port=$(cat "$WORK/port")
}

node "$LINES" "$RATE"
"${mirva[@]}" spots --cluster "127.0.0.1:$port" --call DL1ABC >"$WORK/spots" 2>"$WORK/stderr"
status=$?
wait "$node_pid"
check "spots ends with 0 when the node closes" -- [ "$status" -eq 0 -a "$(wc -l <"$WORK/expected")" -gt 0 ]
if ! diff <(sort "$WORK/expected") <(sort "$WORK/spots") >"$WORK/diff"; then
  echo "FAIL: the spots printed are not each spot once with its worth"
  head -20 "$WORK/diff"
  failures=$((failures + 1))
fi

node 0 0
start=$(date +%s)
"${mirva[@]}" spots --cluster "127.0.0.1:$port" --call DL1ABC --seconds 1 >"$WORK/spots"
status=$?
wait "$node_pid"
check "--seconds ends a silent feed in time" -- [ "$status" -eq 0 -a $(($(date +%s) - start)) -le 4 ]

closed=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
expect_status "a refused connection" 1 "Connection refused" -- "${mirva[@]}" spots --cluster "127.0.0.1:$closed" --call DL1ABC
expect_status "a bad address" 2 "--cluster takes HOST:PORT" -- "$CLI" --dir "$D" spots --cluster 127.0.0.1 --call DL1ABC
expect_status "no call" 2 "spots takes --cluster HOST:PORT and --call CALL" -- "$CLI" --dir "$D" spots --cluster 127.0.0.1:7300
finish
