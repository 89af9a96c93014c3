# wsjtx: datagrams of schema 2 and 3 sent to 127.0.0.1 and to a group on the loopback
# interface; each QSO is logged once however it is announced, a broken datagram is counted and
# a QSO the contest cannot take is told.
source "$(dirname "$0")/testlib.bash"

D="$WORK/log"
new_dir log
cp "$SRC/data/ITALY.DOM" "$D/"
mirva=("$CLI" --dir "$D" --contest "ARI International DX Contest" --station call=OH2XX)
send() { python3 "$SRC/tests/cli/wsjtx_send.py" "$@"; }
free_port() {
  python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# listen ADDRESS: starts the command in the background; returns once it listens.
listen() {
  rm -f "$WORK/out" "$WORK/err"
  "${mirva[@]}" wsjtx --listen "$1" --seconds 20 >"$WORK/out" 2>"$WORK/err" &
  pid=$!
  for _ in $(seq 100); do grep -q "listening on" "$WORK/err" 2>/dev/null && break; sleep 0.05; done
}

# stop: ends the command with SIGTERM once the datagrams have been taken (a background job
# of a script ignores SIGINT).
stop() {
  sleep 0.5
  kill -TERM "$pid"
  wait "$pid"
  status=$?
}

port=$(free_port)
listen "127.0.0.1:$port"
send 127.0.0.1 "$port" heartbeat qso,DL1ABC,14074000,FT8,1234,2 \
  "adif,<call:6>DL1ABC<qso_date:8>20241130<time_on:6>123412<band:3>20m<freq:9>14.074000<mode:4>MFSK<submode:3>FT8<eor>" \
  qso,DL1ABC,14074000,FT8,1234,2 broken qso,F5XYZ,7074000,FT4,1240,3,-05,-07 qso,W1AW,5357000,FT8,1241
stop
check "SIGTERM ends the command with 0" -- [ "$status" -eq 0 ]
check "each QSO printed once" -- [ "$(cut -f3-5 "$WORK/out" | tr '\t' ' ')" = "$(printf 'DL1ABC 20 DIGI\nF5XYZ 40 DIGI')" ]
check "numbered and timed" -- grep -q "^1	2024-11-30 12:34	DL1ABC" "$WORK/out"
check "the broken datagram told and counted" -- grep -q "skipped a datagram: broken datagram" "$WORK/err"
check "the QSO off the bands refused" -- grep -q "not logged: W1AW: 5357 kHz is on no band" "$WORK/err"
check "the counts at the end" -- grep -q "2 logged, 2 announced again, 1 refused, 1 malformed" "$WORK/err"
check "the log holds them once" -- [ "$("${mirva[@]}" list | cut -f4 | tr '\n' ' ')" = "DL1ABC F5XYZ " ]

# A group on the loopback interface, where the container's network allows it.
group=239.255.0.1
port=$(free_port)
if python3 - "$group" "$port" <<'PY'; then
import socket, struct, sys
group, port = sys.argv[1], int(sys.argv[2])
r = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
r.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
r.bind(("", port))
r.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP,
             socket.inet_aton(group) + socket.inet_aton("127.0.0.1"))
r.settimeout(1)
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_IF, socket.inet_aton("127.0.0.1"))
s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_LOOP, 1)
s.sendto(b"probe", (group, port))
r.recv(16)
PY
  listen "$group:$port"
  send "$group" "$port" qso,SP9ABC,21074000,FT8,1300,3 \
    "adif,<CALL:6>SP9ABC<QSO_DATE:8>20241130<TIME_ON:4>1300<FREQ:6>21.074<MODE:3>FT8<EOR>"
  stop
  check "a group's QSO logged once" -- [ "$(cut -f3-5 "$WORK/out" | tr '\t' ' ')" = "SP9ABC 15 DIGI" ]
else
  echo "SKIP: multicast on the loopback interface does not work here; the group part is not run"
fi

expect_status "a bad address" 2 "--listen takes an IPv4 ADDRESS:PORT" -- "${mirva[@]}" wsjtx --listen localhost:2237
# A port another program holds is told at once.
python3 -c 'import socket,sys,time; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1], flush=True); time.sleep(5)' >"$WORK/held" &
holder=$!
for _ in $(seq 100); do [ -s "$WORK/held" ] && break; sleep 0.05; done
held=$(cat "$WORK/held")
expect_status "a port in use" 1 "Cannot listen on 127.0.0.1:$held" -- "${mirva[@]}" wsjtx --listen "127.0.0.1:$held" --seconds 1
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
finish
