# `scp` on a small master call list: partial matches, near calls, worked and dupe marks
# against a CQ WW CW log, and its refusals.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

new_dir dir
printf '# Release\r\nDL1ABC\r\ndl2abc\r\nK1ABC\r\nOH2BH\r\nnot a call\r\nDL1ABCD\r\n' \
  >"$WORK/dir/MASTER.SCP"
A=("$CLI" --dir "$WORK/dir" --contest "CQ WW DX Contest (CW)" --station call=UA3ABC)
"${A[@]}" add --call DL1ABC --band 20 --rcvd 14 --at "2026-11-28 12:00" >/dev/null
"${A[@]}" add --call K1ABC --band 40 --rcvd 5 --at "2026-11-28 12:01" >/dev/null

expect_output "scp on 20 m" \
"Partial matches (2):
DL1ABC${T}dupe
DL1ABCD
Near calls (2):
DL1ABC${T}dupe
K1ABC${T}worked" \
  -- "${A[@]}" scp l1abc --band 20
check "scp tells of the skipped line" -- grep -q "line 6" "$WORK/stderr"

expect_output "scp on 40 m, no near call" \
"Partial matches (1):
K1ABC${T}dupe
Near calls (0):" \
  -- "${A[@]}" scp K1A --band 40

expect_status "scp with one character" 2 "scp takes a TEXT of 2 to 15" -- "${A[@]}" scp K
expect_status "scp with a blank" 2 "not 'K1 A'" -- "${A[@]}" scp "K1 A"
expect_status "scp with a band of no contest" 2 "band" -- "${A[@]}" scp K1A --band 2m
mkdir "$WORK/empty"
expect_status "scp without the list" 1 "No MASTER.SCP in $WORK/empty" -- \
  "$CLI" --dir "$WORK/empty" scp K1A
finish
