# A short CQ WW DX CW log of a German station kept with add, check, totals, rescore, edit,
# delete and clear: each command's output, the list's columns and the backup a clear keeps.
# What a QSO scores, proposes and marks is fixed by the core tests (RulesScoringTest,
# MultipliersTest, QsoEntryTest, ExchangeRulesTest); the refusals are in usage.sh.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

new_dir log
A=("$CLI" --dir "$WORK/log" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
# row N TIME CALL BAND RCVD POINTS MARK PREFIX NOTE: a line of list, sent 599 14, received 599.
row() { printf '%s\t2025-11-29\t00:0%s\t%s\t%s\tCW\t599\t14\t599\t%s\t%s\t0\t0\t%s\t%s\t%s' "$@"; }

expect_output "next-sent: the own CQ zone" "14" -- "${A[@]}" next-sent
Q1=$(row 1 1 UA3ABC 20 16 1 "UA 16" UA "Привет, Ёлка №5")
expect_output "add: the QSO as list shows it, the call upper case, the zone proposed" "$Q1" -- \
  "${A[@]}" add --at "2025-11-29 00:01" --call ua3abc --band 20 --note "Привет, Ёлка №5"
Q2=$(row 2 2 K1ABC 20 05 3 "K 05" K "")
expect_output "add: a typed zone" "$Q2" -- \
  "${A[@]}" add --at "2025-11-29 00:02" --call K1ABC --band 20 --rcvd 5
Q3=$(row 3 3 UA3ABC 20 16 0 "- -" UA "##Dupe## again")
expect_output "add: a duplicate and its note" "$Q3" -- \
  "${A[@]}" add --at "2025-11-29 00:03" --call UA3ABC --band 20 --note again
# 9A is not in the test country file: no zone to propose, so the exchange stays empty.
expect_status "an empty exchange is refused without --yes" 1 \
  "Received number is empty! Save anyway? No" -- \
  "${A[@]}" add --at "2025-11-29 00:04" --call 9A1A --band 20
Q4=$(row 4 4 9A1A 20 00 3 "- -" "" "")
expect_output "--yes saves it" "$Q4" -- \
  "${A[@]}" add --at "2025-11-29 00:04" --call 9A1A --band 20 --yes
expect_output "list: the QSOs in file order" "$Q1
$Q2
$Q3
$Q4" -- "${A[@]}" list

TOTALS="QSOs: 4
Points: 7
Multipliers: 4
Score: 28
${T}160${T}80${T}40${T}20${T}15${T}10
CW${T}0${T}0${T}0${T}4${T}0${T}0"
expect_output "totals" "$TOTALS" -- "${A[@]}" totals
expect_output "rescore: the totals of the saves" "Update score
$TOTALS" -- "${A[@]}" rescore

# The entry's view of a call, its multiplier rows by band included.
expect_output "check: a duplicate; its earlier exchange replaces the typed one" "Country: European Russia
Cont: EU
ITU: 29
CQ: 16
Status: dupe
Proposed: 16
Proposed on exit: 16
Worked: UA3ABC(dupe)
List1: UA 160! 80! 40! 20+ 15! 10!
List2: 16 160! 80! 40! 20+ 15! 10!" -- "${A[@]}" check UA3ABC --band 20 --rcvd 17
expect_output "check: one character shows the unknown labels and rows" "Country: ???
Cont: ??
ITU: ??
CQ: ??
Status: new
Proposed: 
Proposed on exit: 05
Worked: 
List1: ???
List2: ???" -- "${A[@]}" check K --rcvd 05

# An edit changes the fields at once and the score at the next rescore; 127 Cyrillic letters
# fill the note (128 are refused: usage.sh).
NOTE=$(printf 'Я%.0s' $(seq 127))
expect_output "edit: the fields change, the points stay" \
  "2${T}2025-11-30${T}23:59${T}K1ABC${T}15${T}CW${T}599${T}14${T}599${T}04${T}3${T}0${T}0${T}K 05${T}K${T}$NOTE" \
  -- "${A[@]}" edit 2 --band 15 --rcvd 4 --date 2025-11-30 --time 23:59 --note "$NOTE"

expect_output "delete prints nothing" "" -- "${A[@]}" delete 3
check "delete: three QSOs left" -- [ "$("${A[@]}" list | cut -f4 | xargs)" = "UA3ABC K1ABC 9A1A" ]
expect_output "clear --yes" "" -- "${A[@]}" clear --yes
expect_output "cleared log" "" -- "${A[@]}" list
check "cleared log kept as mrvtest.old" -- [ "$(stat -c %s "$WORK/log/mrvtest.old")" -eq $((3 * 264)) ]
finish
