# Call history files: --history proposes a station's exchange and shows its name in check, a
# file without its header is refused by name, the working directory's settings name the files
# when --history is not given, and history export writes a file that --history reads back.
source "$(dirname "$0")/testlib.bash"

new_dir cq
A=("$CLI" --dir "$WORK/cq" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
printf '# club list\r\n!!Order!!;Call;Name;CqZone;UserText\r\nJA1ABC;Taro;24;"QTH; Tokyo"\r\n123;x;1;\r\n' \
  >"$WORK/club.txt"
printf 'Call,Name\nK1ABC,Al\n' >"$WORK/plain.txt"

"${A[@]}" --history "$WORK/club.txt" check JA1ABC >"$WORK/out" 2>"$WORK/err"
check "check: the history's zone is proposed" -- grep -qx "Proposed: 24" "$WORK/out"
check "check: and kept on exit" -- grep -qx "Proposed on exit: 24" "$WORK/out"
check "check: the name" -- grep -qx "Name: Taro" "$WORK/out"
check "check: the user text" -- grep -qx "User text: QTH; Tokyo" "$WORK/out"
check "check: the skipped line is told" -- grep -q "club.txt: 1 call from 2 lines; 1 skipped, no callsign (line 4)" "$WORK/err"
"${A[@]}" check JA1ABC >"$WORK/out" 2>&1
check "check: without a history the country's zone" -- grep -qx "Proposed: 25" "$WORK/out"
"${A[@]}" --history "$WORK/plain.txt" --history "$WORK/club.txt" check JA1ABC >"$WORK/out" 2>"$WORK/err"
check "check: a file without its header is named and the next one still read" -- \
  grep -q "plain.txt is no call history file" "$WORK/err"
check "check: the readable file proposes" -- grep -qx "Proposed: 24" "$WORK/out"

printf '[Call history]\nFiles=%s\n' "$WORK/club.txt" >"$WORK/cq/workspace.ini"
"${A[@]}" check JA1ABC >"$WORK/out" 2>&1
check "check: the files the working directory keeps" -- grep -qx "Name: Taro" "$WORK/out"
rm "$WORK/cq/workspace.ini"

# Round trip: the log's last exchange of each call goes out and comes back as the proposal.
"${A[@]}" add --at "2025-11-29 00:01" --call JA1ABC --band 20 --rcvd 23 >/dev/null
"${A[@]}" add --at "2025-11-29 00:02" --call JA1ABC --band 15 --rcvd 22 >/dev/null
"${A[@]}" add --at "2025-11-29 00:03" --call W1AW --band 15 --rcvd 4 >/dev/null
expect_output "history export" "Exported: 2 calls in column CqZone" -- \
  "${A[@]}" history export "$WORK/out.txt"
check "export: header and lines" -- [ "$(tr -d '\r' <"$WORK/out.txt")" = $'!!Order!!,Call,CqZone\nJA1ABC,22\nW1AW,04' ]
new_dir fresh
B=("$CLI" --dir "$WORK/fresh" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
"${B[@]}" --history "$WORK/out.txt" check W1AW >"$WORK/out" 2>&1
check "round trip: the exported exchange is proposed" -- grep -qx "Proposed: 04" "$WORK/out"
"${B[@]}" --history "$WORK/out.txt" check JA1ABC >"$WORK/out" 2>&1
check "round trip: the last exchange" -- grep -qx "Proposed on exit: 22" "$WORK/out"

expect_status "export: a serial-number contest writes nothing" 2 "serial number" -- \
  "$CLI" --dir "$WORK/cq" --contest "CQ WW WPX Contest (CW)" --station call=DL1ABC \
  history export "$WORK/wpx.txt"
check "export: no file" -- [ ! -e "$WORK/wpx.txt" ]
expect_status "history: usage" 2 "export FILE" -- "${A[@]}" history import x
finish
