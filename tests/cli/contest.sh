# contests, contest and points with --contest and --station, a catalogue with lines that name
# no contest, and the championship's numbers at the tool's boundary. What a QSO scores is fixed
# by the core tests; here each command's output.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

mkdir "$WORK/dir"
cp "$SRC/tests/data/contest/CTY.DAT" "$SRC/data/Contests.mrv" "$WORK/dir/"
cp "$SRC/tests/data/three_qsos.dat" "$WORK/dir/mrvtest.dat"
CQ=("$CLI" --dir "$WORK/dir" --contest "CQ WW DX Contest (CW)")

countries="EA EA6 EA8 DL HB HB0 SP ON JA JD1/M 4X HA YU I IS IG9 F FG G OE UA UA9 UA2 TA TA1 K KL KH6 VE XE PY LU VP8 VK ZL ZS 4U1V"
expect_output "contest CQ WW" "Name: CQ WW DX Contest (CW)
Cabrillo: CQ-WW-CW
Bands: 160 80 40 20 15 10
Modes: CW
UseWAE: yes
MultCount: 2
Captions: DXCC | CQ zones
List1: $countries
List2: $(seq -w 1 40 | xargs)
List3: " -- "${CQ[@]}" --station call=DL1ABC contest

expect_output "points of a duplicate" "0 0 0
dupe" -- "${CQ[@]}" --station call=DL1ABC points UA3ABC 20 CW
expect_output "points of a new QSO, the station's continent taken from its call" "3 0 0
new" -- "${CQ[@]}" --station call=DL1ABC points JA1ABC 15 CW 25
expect_output "an explicit key corrects what the call filled, whatever their order" "2 0 0
new" -- "${CQ[@]}" --station cont=NA --station call=DL1ABC points K1ABC 20 CW
expect_output "a contest by its Cyrillic name" "11 10 100
new" -- "$CLI" --dir "$WORK/dir" --contest "Чемпионат/Кубок России телеграфом" --station state=3 \
  points UA9XYZ 20 CW 5123 --time 14:05
expect_status "a name with a blank after it" 2 \
  "no contest is called 'CQ WW DX Contest (CW) ': it has a blank at its end; the contest is \
written 'CQ WW DX Contest (CW)'" -- "$CLI" --dir "$WORK/dir" --contest "CQ WW DX Contest (CW) " contest

# Catalogue lines that name no contest, and why: the listing, and a stored choice of one.
mkdir "$WORK/bad"
cp "$WORK/dir/CTY.DAT" "$WORK/bad/"
printf '%s\r\n' "CQ WW DX Contest (CW)" "CQ WW DX Contest (CW) " "cq ww dx contest (cw)" "Foo" "" \
  >"$WORK/bad/Contests.mrv"
expect_output "contests tells why a line names no contest" \
"0${T}CQ WW DX Contest (CW)${T}known
1${T}CQ WW DX Contest (CW) ${T}unknown: it has a blank at its end; the contest is written 'CQ WW DX Contest (CW)'
2${T}cq ww dx contest (cw)${T}unknown: it has its letters in another case; the contest is written 'CQ WW DX Contest (CW)'
3${T}Foo${T}unknown: no contest has this name
4${T}${T}unknown: it is empty" -- "$CLI" --dir "$WORK/bad" contests
mkdir "$WORK/config"
printf '%s\r\n' "[ContestName]" "lbContestList.Tag=1" >"$WORK/config/Mirva contest module.conf"
expect_failure "a stored line that names no contest" \
  "'CQ WW DX Contest (CW) ', names no contest: it has a blank at its end" -- \
  env XDG_CONFIG_HOME="$WORK/config" "$CLI" --dir "$WORK/bad" contest

# The championship: a State that is no zone is told once by a command that scores, in the
# points rule's words; a sent exchange that is no number stops the serial and names --sent.
mkdir "$WORK/ru"
cp "$WORK/dir/CTY.DAT" "$SRC/data/RUS.DOM" "$WORK/ru/"
RU=("$CLI" --dir "$WORK/ru" --contest "Чемпионат/Кубок России телеграфом" --station call=UA3ABC)
expect_output "add with a State that is no zone scores 0" \
"1${T}2026-01-01${T}10:00${T}UA9ABC${T}20${T}CW${T}599${T}3001${T}599${T}5001${T}0${T}0${T}0${T}- -${T}UA9${T}" -- \
  "${RU[@]}" --station state=MO add --call UA9ABC --band 20 --sent 3001 --rcvd 5001 \
  --at "2026-01-01 10:00"
check "and tells it once, in the points rule's words" -- \
  [ "$(grep -c "^Error:" "$WORK/stderr")$(grep -c "^Error: Неверное значение в поле State" "$WORK/stderr")" = 11 ]
"${RU[@]}" edit 1 --sent MO >/dev/null 2>&1
expect_status "then the championship cannot count on from 'MO'" 1 \
  "mirva-cli: The sent number must be digits: the championship sends the zone number and the \
serial (3001, 3002, ...), and the last sent exchange 'MO' is not. Type the number to send in Sent." \
  -- "${RU[@]}" --station state=3 next-sent
expect_status "add asks for --sent" 1 "Type the number to send in Sent. Give it with --sent." -- \
  "${RU[@]}" --station state=3 add --call UA9ABD --band 20 --rcvd 5001 --at "2026-01-01 10:06"
finish
