# group sync: two stations and a third that joins late exchange their QSOs through a real
# nats-server on loopback; edits and deletes travel, a broker killed with -9 keeps everything,
# one restarted empty is refilled by the stations, a wrong secret or a broker that is down
# fails with exit 1 and leaves the log as it was, and TLS checks the broker's certificate.
source "$(dirname "$0")/testlib.bash"
source "$(dirname "$0")/grouplib.bash"
printf 'not-the-token\n' >"$WORK/wrong"
trap 'kill -9 $broker $follower 2>/dev/null; rm -rf "$WORK"' EXIT
follower=""

CQ="CQ WW DX Contest (CW)"
for s in a b c; do new_dir $s; done
A=("$CLI" --dir "$WORK/a" --contest "$CQ" --station call=DL1ABC)
B=("$CLI" --dir "$WORK/b" --contest "$CQ" --station call=DL2ABC)
C=("$CLI" --dir "$WORK/c" --contest "$CQ" --station call=DL3ABC)
# sync STATION [OPTIONS]: group sync in the station's folder, its output thrown away.
sync() { "$CLI" --dir "$WORK/$1" group sync "${@:2}" >"$WORK/sync.out" 2>"$WORK/sync.err"; }
join() { sync "$1" --server "$URL" --group Field-Day --station "$2" --token-file "$WORK/secret"; }
# qsos STATION: the station's QSOs without their numbers, sorted.
qsos() { "$CLI" --dir "$WORK/$1" list | cut -f2- | sort; }
same() {
  local name="$1" first="$2"
  for s in "${@:3}"; do
    if [ "$(qsos "$first")" != "$(qsos "$s")" ]; then
      echo "FAIL: $name: $first and $s differ"
      diff <(qsos "$first") <(qsos "$s")
      failures=$((failures + 1))
    fi
  done
}
count() { "$CLI" --dir "$WORK/$1" list | wc -l; }

# Refused before the broker is asked: exit 2 and why.
while IFS='|' read -r words message; do
  [ -z "$words" ] && continue
  eval "set -- $words"
  expect_status "group $words" 2 "mirva-cli: $message" -- "$CLI" --dir "$WORK/c" group "$@"
done <<'EOF_CASES'
send|group takes the subcommand sync
sync --server $URL --group G --station S|group sync needs --token-file FILE
sync --server $URL --group a.b --station S --token-file x|--group takes 1 to 32 letters
sync --server $URL --group G --station "R 1" --token-file x|--station takes 1 to 32 letters
sync --server $URL --group G --station _R1 --token-file x|--station takes 1 to 32 letters
sync --follow extra|group sync does not take 'extra'
sync --server $URL --group G --station S --token-file x --replicas 0|--replicas takes 1 to 5, not '0'
sync --server $URL --group G --station S --token-file x --replicas 2x|--replicas takes 1 to 5, not '2x'
EOF_CASES
check "a refused command keeps no settings" -- [ ! -e "$WORK/c/workspace.ini" ]

start_broker
add_qsos A "2025-11-29 00:01 UA3ABC 20" "2025-11-29 00:02 K1ABC 20 5"
add_qsos B "2025-11-29 00:03 JA1ABC 15 25"
check "A joins" -- join a RUN
check "B joins" -- join b MULT
check "A syncs with its kept settings" -- sync a
same "both hold every QSO" a b
check "three QSOs at each" -- [ "$(count a) $(count b)" = "3 3" ]
check "the secret is kept nowhere in the folders" -- [ -z "$(grep -rlF "$TOKEN" "$WORK/a" "$WORK/b")" ]
check "its file is" -- grep -qF "SecretFile=$WORK/secret" "$WORK/a/workspace.ini"
check "a server list with a node that is down" -- sync a --server "nats://127.0.0.1:1,$URL"
check "which is kept" -- grep -qF "Server=nats://127.0.0.1:1,$URL" "$WORK/a/workspace.ini"
sync a --server "$URL"

# A copy of A as a follower killed while it wrote a change of the group leaves it: the first
# QSO's next version, which reached the log, still pending in the side file. A command that
# changes the log settles it first.
cp -r "$WORK/a" "$WORK/cut"
awk '!done && $1 == "L" && NF == 7 { $0 = $0 " " $4 + 1 " " $5 " " $6 " 0"; done = 1 } 1' \
  "$WORK/a/group.ids" >"$WORK/cut/group.ids"
"$CLI" --dir "$WORK/cut" edit 1 --note "edited after a crash" >/dev/null
check "a writer settles a change cut short" -- [ -z "$(awk 'NF == 11' "$WORK/cut/group.ids")" ]

"${A[@]}" edit 1 --note "edited at A" >/dev/null
"${A[@]}" delete 2 >/dev/null
check "A sends its edit and delete" -- sync a
check "B takes them" -- sync b
same "the edit and the delete reached B" a b
check "the edit is there" -- bash -c "'$CLI' --dir '$WORK/b' list | grep -q 'edited at A'"
check "the delete is" -- [ "$(count b)" -eq 2 ]

# A broker killed at once keeps what it acknowledged.
add_qsos B "2025-11-29 00:04 VK2ABC 40 30"
check "B sends a QSO" -- sync b
kill_broker
start_broker
check "A after the broker's restart" -- sync a
same "nothing was lost with the broker" a b
check "three QSOs" -- [ "$(count a)" -eq 3 ]

# A broker that lost its store is filled again by the stations; one that joins then gets all.
kill_broker
rm -rf "$WORK/store"
start_broker
check "A refills the broker" -- sync a
check "and says so" -- grep -q "lost its store" "$WORK/sync.out"
check "B too" -- sync b
add_qsos C "2025-11-29 00:05 ZS1ABC 10 38"
check "C joins the refilled group" -- join c LATE
check "A syncs" -- sync a
check "B syncs" -- sync b
same "every station holds every QSO" a b c
check "four QSOs" -- [ "$(count c)" -eq 4 ]

# --follow brings another station's QSO within seconds, and stops at SIGTERM with 0.
"$CLI" --dir "$WORK/b" group sync --follow >"$WORK/follow.out" 2>&1 &
follower=$!
add_qsos A "2025-11-29 00:06 LU1ABC 80 13"
check "A sends while B follows" -- sync a
for _ in $(seq 50); do [ "$(count b)" -eq 5 ] && break; sleep 0.1; done
same "the follower took it" a b
"${B[@]}" --wait 5 add --at "2025-11-29 00:07" --call PY1ABC --band 80 --rcvd 11 >/dev/null
check "a QSO logged at B while it follows" -- [ "$(count b)" -eq 6 ]
for _ in $(seq 50); do sync a && [ "$(count a)" -eq 6 ] && break; sleep 0.1; done
same "and sent by the follower" a b
kill -TERM "$follower"
wait "$follower"
check "the follower ends with 0 at SIGTERM" -- [ $? -eq 0 ]
follower=""

# Refused and unreachable: exit 1, the cause named, the log and its settings as they were.
cp "$WORK/a/mrvtest.dat" "$WORK/a.before"
cp "$WORK/a/workspace.ini" "$WORK/a.ini"
expect_status "a wrong secret" 1 "mirva-cli: the broker refused the secret" -- \
  "$CLI" --dir "$WORK/a" group sync --token-file "$WORK/wrong"
check "the refused sync left the log" -- cmp -s "$WORK/a.before" "$WORK/a/mrvtest.dat"
check "and the settings" -- cmp -s "$WORK/a.ini" "$WORK/a/workspace.ini"
kill_broker
expect_status "a broker that is down" 1 "mirva-cli: cannot reach the group's broker at $URL" -- \
  "$CLI" --dir "$WORK/a" group sync
check "the log is unchanged" -- cmp -s "$WORK/a.before" "$WORK/a/mrvtest.dat"

# Over TLS the broker's certificate is checked against the one --ca-file names.
if command -v openssl >/dev/null; then
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$WORK/key.pem" -out "$WORK/cert.pem" \
    -days 1 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 2>/dev/null
  "$NATS" -a 127.0.0.1 -p "$port" -js -sd "$WORK/store" --auth "$TOKEN" --tls \
    --tlscert "$WORK/cert.pem" --tlskey "$WORK/key.pem" >>"$WORK/nats.log" 2>&1 &
  broker=$!
  wait_for_port
  expect_status "a certificate no file vouches for" 1 "self-signed certificate" -- \
    "$CLI" --dir "$WORK/a" group sync --server "tls://127.0.0.1:$port"
  check "over TLS with its certificate" -- sync a --server "tls://127.0.0.1:$port" \
    --ca-file "$WORK/cert.pem"
  check "which is kept" -- grep -qF "CaFile=$WORK/cert.pem" "$WORK/a/workspace.ini"
fi
finish
