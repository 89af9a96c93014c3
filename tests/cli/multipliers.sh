# Multiplier marks, multiplier totals and the entry's multiplier rows: CQ WW DX CW (countries
# and CQ zones per band) for a German station, and CQ WW WPX CW (prefixes once per contest).
source "$(dirname "$0")/testlib.bash"
T=$'\t'

new_dir() {
  mkdir "$WORK/$1"
  cp "$SRC/tests/data/contest/CTY.DAT" "$WORK/$1/"
}
# Columns 1, 4, 5, 14 of the command's QSO lines: number, call, band and multiplier mark.
marks() {
  local out
  out=$("$@") || return
  [ -z "$out" ] || printf '%s\n' "$out" | cut -f1,4,5,14
}

CQWW=(--contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
BANDS="${T}160${T}80${T}40${T}20${T}15${T}10"
new_dir cqww
C=("$CLI" --dir "$WORK/cqww" "${CQWW[@]}")
"${C[@]}" import "$SRC/tests/data/cq_ww_cw.log" >/dev/null 2>&1

# UA and zone 16 on 20, K and 05 on 20; the duplicate brings nothing; UA and 16 again on 15;
# JA and 25 on 15; the unknown 9A1A has no country and zone 00 is in no list.
MARKS="1${T}UA3ABC${T}20${T}UA 16
2${T}K1ABC${T}20${T}K 05
3${T}UA3ABC${T}20${T}- -
4${T}UA3ABC${T}15${T}UA 16
5${T}JA1XYZ${T}15${T}JA 25
6${T}9A1A${T}20${T}- -"
expect_output "CQ WW marks" "$MARKS" -- marks "${C[@]}" list
TABLE="$BANDS
CW${T}0${T}0${T}0${T}4${T}2${T}0"
expect_output "CQ WW totals: 11 points, 8 multipliers" "QSOs: 6
Points: 11
Multipliers: 8
Score: 88
$TABLE" -- "${C[@]}" totals
expect_output "CQ WW rescore finds the same multipliers" "Update score
QSOs: 6
Points: 11
Multipliers: 8
Score: 88
$TABLE" -- "${C[@]}" rescore
expect_output "CQ WW marks after the rescore" "$MARKS" -- marks "${C[@]}" list

expect_output "rows of a call worked on 20 and 15" "List1: UA 160! 80! 40! 20+ 15+ 10!
List2: 16 160! 80! 40! 20+ 15+ 10!" -- \
  bash -c '"$@" | grep ^List' - "${C[@]}" check UA3ABC --band 40
expect_output "rows of a new country with a typed zone" "List1: OE 160! 80! 40! 20! 15! 10!
List2: 17 160! 80! 40! 20! 15! 10!" -- \
  bash -c '"$@" | grep ^List' - "${C[@]}" check OE1XYZ --rcvd 17
expect_output "rows of a call without a country" "List1: ???
List2: ???" -- bash -c '"$@" | grep ^List' - "${C[@]}" check ABC

# WPX: UA3 counts once for the whole contest; a phone QSO in the CW contest counts for none.
# The CW contest refuses a phone QSO: it comes from the phone contest and is rescored.
new_dir wpx
W=("$CLI" --dir "$WORK/wpx" --contest "CQ WW WPX Contest (CW)" --station call=DL1ABC)
"${W[@]}" add --at "2025-05-31 00:10" --call UA3ABC --band 160 --rcvd 1 >/dev/null
"${W[@]}" add --at "2025-05-31 00:11" --call UA3XYZ --band 20 --rcvd 2 >/dev/null
"${W[@]}" add --at "2025-05-31 00:12" --call K1ABC --band 20 --rcvd 3 >/dev/null
"$CLI" --dir "$WORK/wpx" --contest "CQ WW WPX Contest (SSB)" --station call=DL1ABC import - \
  <<<"QSO: 14200 PH 2025-05-31 0013 DL1ABC 59 004 JA1XYZ 59 4" >/dev/null
"${W[@]}" rescore >/dev/null
expect_output "WPX marks" "1${T}UA3ABC${T}160${T}UA3
2${T}UA3XYZ${T}20${T}- -
3${T}K1ABC${T}20${T}K1
4${T}JA1XYZ${T}20${T}- -" -- marks "${W[@]}" list
expect_output "WPX totals: 2 + 1 + 3 + 3 points, 2 prefixes" "QSOs: 4
Points: 9
Multipliers: 2
Score: 18
$BANDS
CW${T}1${T}0${T}0${T}2${T}0${T}0" -- "${W[@]}" totals
expect_output "WPX row of a worked prefix: every band" "List1: UA3 160+ 80+ 40+ 20+ 15+ 10+" -- \
  bash -c '"$@" | grep ^List' - "${W[@]}" check UA3DEF --band 40 --rcvd 5
expect_output "WPX row of a prefix not yet in the list" "List1: ???" -- \
  bash -c '"$@" | grep ^List' - "${W[@]}" check JA1ABC --rcvd 5
finish
