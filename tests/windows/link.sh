# mirva-cli link under wine, driven by the test companion as the CW keyboard program would:
# its commands over the registered window messages, the replies, the shared entry file in
# the Windows directory, the log afterwards, and the one-writer lock while the link is up.
# Arguments: the Windows mirva-cli, the source folder, the companion program.
source "$(dirname "$0")/../cli/testlib.bash"
WIN=(wine "$1")
COMPANION=(wine "$3")
SHARED="$WINEPREFIX/drive_c/windows"

D="$WORK/log"
mkdir "$D"
cp "$SRC/tests/data/contest/CTY.DAT" "$D/"
CQWW=("${WIN[@]}" --dir "$D" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
rm -f "$SHARED/mirva.INI"
printf '[QSO]\r\nCall=ua3abc\r\nBand=20\r\nRprtRcvd=579\r\nNumberRcvd=16\r\nNote=via link\r\n' \
  >"$SHARED/loginput.ini"

"${CQWW[@]}" link >"$WORK/link.out" 2>"$WORK/link.err" &
host=$!
"${COMPANION[@]}" || { echo "FAIL: the link did not come up" && cat "$WORK/link.err" && exit 1; }
check "the first activation wrote every key, 599 as 5nn" -- grep -q $'^sRprtSent=5nn\r$' \
  "$SHARED/mirva.INI"
expect_status "a second writer is turned away while the link holds the log" 1 \
  "is open in mirva-cli, process" -- "${CQWW[@]}" add --call K1ABC --band 20

# code mask: the reply the companion hears
"${COMPANION[@]}" 100 4 128 0 131 4 133 4 129 1048660 384 0 130 1048660 132 0 2>&1 |
  tr -d '\r' >"$WORK/replies"
expect_output "each command's reply, none for a code outside 128..133" "100 4: none
128 0: 128 0
131 4: 131 1
133 4: 133 1
129 1048660: 129 1
384 0: 384 0
130 1048660: 130 1
132 0: 132 1" -- cat "$WORK/replies"

"${COMPANION[@]}" --close
wait $host
check "the link ends on WM_CLOSE with status 0" -- test $? -eq 0
# number date time CALL BAND mode rst-s sent RST-R RCVD ...
expect_output "two QSOs saved from loginput.ini, the call in upper case" "UA3ABC 20 579 16
UA3ABC 20 579 16" -- bash -c "$(printf '%q ' "${CQWW[@]}") list 2>/dev/null | cut -f4,5,9,10 | tr '\t' ' '"
check "the log is free again" -- "${CQWW[@]}" add --call K1ABC --band 20 --rcvd 5 >/dev/null
finish
