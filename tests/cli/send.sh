# send: the companion's command on the session bus. Bad words are refused before the bus is
# asked; with no program listening there is no reply, and with no bus it fails saying so.
source "$(dirname "$0")/testlib.bash"

if "$CLI" send 128 0 2>&1 | grep -q "not available"; then
  echo "this mirva-cli was built without D-Bus"
  exit 77
fi

# the words after send | the start of the message on standard error
while IFS='|' read -r words message; do
  [ -z "$words" ] && continue
  eval "set -- $words"
  expect_status "send $words" 2 "mirva-cli: $message" -- "$CLI" send "$@"
done <<'EOF_CASES'
|send takes CODE MASK
128|send takes CODE MASK
128 0 7|send does not take '7'
x 0|CODE must be a whole number from 0 to 4294967295, not 'x'
-1 0|CODE must be a whole number from 0 to 4294967295, not '-1'
+1 0|CODE must be a whole number from 0 to 4294967295, not '+1'
4294967296 0|CODE must be a whole number from 0 to 4294967295, not '4294967296'
"" 0|CODE must be a whole number from 0 to 4294967295, not ''
128 1.5|MASK must be a whole number from 0 to 4294967295, not '1.5'
128 99999999999999999999|MASK must be a whole number from 0 to 4294967295
128 0 --wait|--wait needs a value
128 0 --wait 1s|--wait must be a whole number from 0 to 600000, not '1s'
128 0 --wait 600001|--wait must be a whole number from 0 to 600000, not '600001'
128 0 --frob 1|send does not take the option '--frob'
EOF_CASES

expect_status "no session bus" 1 "mirva-cli: there is no D-Bus session bus" -- \
  env DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-bus" "$CLI" send 128 0

if command -v dbus-run-session >/dev/null; then
  expect_status "nobody answers" 3 "" -- dbus-run-session -- "$CLI" send 128 0 --wait 200
  grep -qx "no reply within 200 ms" "$WORK/stdout" ||
    { echo "FAIL: nobody answers: $(cat "$WORK/stdout")"; failures=$((failures + 1)); }
fi
finish
