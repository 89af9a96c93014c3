# contests, contest and points with --contest and --station.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

mkdir "$WORK/dir"
cp "$SRC/tests/data/contest/CTY.DAT" "$SRC/data/Contests.mrv" "$WORK/dir/"
cp "$SRC/tests/data/three_qsos.dat" "$WORK/dir/mrvtest.dat"
CLI_DIR=("$CLI" --dir "$WORK/dir")
DL=(--station call=DL1ABC --station country=DL --station cont=EU --station cq=14)

first=$("${CLI_DIR[@]}" contests | head -1)
check "contests: $first" -- [ "$first" = $'0\tCQ WW DX Contest (CW)\tknown' ]
count=$("${CLI_DIR[@]}" contests | grep -c $'\tknown$')
check "$count known contests" -- [ "$count" -eq 36 ]

countries="EA EA6 EA8 DL HB HB0 SP ON JA JD1/M 4X HA YU I IS IG9 F FG G OE UA UA9 UA2 TA TA1 K KL KH6 VE XE PY LU VP8 VK ZL ZS 4U1V"
zones=$(seq -w 1 40 | tr '\n' ' ' | sed 's/ $//')
expect_output "contest CQ WW" \
"Name: CQ WW DX Contest (CW)
Cabrillo: CQ-WW-CW
Bands: 160 80 40 20 15 10
Modes: CW
UseWAE: yes
MultCount: 2
Captions: DXCC | CQ zones
List1: $countries
List2: $zones
List3: " \
  -- "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" "${DL[@]}" contest

expect_output "points of a duplicate" "0 0 0
dupe" -- "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" "${DL[@]}" points UA3ABC 20 CW
expect_output "points of a new QSO" "1 0 0
new" -- "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" "${DL[@]}" points UA3ABC 15 CW
expect_output "points in another continent" "3 0 0
new" -- "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" "${DL[@]}" points JA1ABC 15 CW 25

KOS="King of Spain Contest (CW)"
mult_count=$("${CLI_DIR[@]}" --contest "$KOS" --station call=EA8AA contest | grep MultCount)
check "station call sets the country: $mult_count" -- [ "$mult_count" = "MultCount: 2" ]
expect_output "station country taken from the call" "1 0 0
new" -- "${CLI_DIR[@]}" --contest "$KOS" --station call=EA8AA points K1ABC 20 CW
expect_output "an explicit key corrects what the call filled" "2 0 0
new" -- "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" --station cont=NA --station call=DL1ABC \
  points K1ABC 20 CW

RU="Чемпионат/Кубок России телеграфом"
expect_output "Russian championship by its Cyrillic name" "11 10 100
new" -- "${CLI_DIR[@]}" --contest "$RU" --station state=3 points UA9XYZ 20 CW 5123 --time 14:05
expect_output "hour rule" "0 0 0
dupe" -- "${CLI_DIR[@]}" --contest "$RU" --station state=3 points UA3ABC 20 CW 5 --time 12:59

expect_failure "unknown contest" "no contest is called 'CQ WW DX Contest'" -- \
  "${CLI_DIR[@]}" --contest "CQ WW DX Contest" contest
expect_failure "a blank after the name" \
  "no contest is called 'CQ WW DX Contest (CW) ': it has a blank at its end; the contest is \
written 'CQ WW DX Contest (CW)'" -- "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW) " contest

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

# The championship's numbers: a State that is no zone is told at the set-up, and once by a
# command that scores; a sent exchange that is no number names the Sent field.
mkdir "$WORK/ru"
cp "$WORK/dir/CTY.DAT" "$SRC/data/RUS.DOM" "$WORK/ru/"
RU_DIR=("$CLI" --dir "$WORK/ru" --contest "$RU" --station call=UA3ABC)
ZONE="The championship sends and scores by your zone, a number from 1 to 5 in the station's State field; 'MO' is not one. Until it is, every QSO scores 0 points."
expect_output "a State that is no zone: the first number" "MO001" -- \
  "${RU_DIR[@]}" --station state=MO next-sent
check "the set-up tells of the State" -- grep -qF "Error: $ZONE" "$WORK/stderr"
expect_output "add with it scores 0" \
"1${T}2026-01-01${T}10:00${T}UA9ABC${T}20${T}CW${T}599${T}3001${T}599${T}5001${T}0${T}0${T}0${T}- -${T}UA9${T}" -- \
  "${RU_DIR[@]}" --station state=MO add --call UA9ABC --band 20 --sent 3001 --rcvd 5001 \
  --at "2026-01-01 10:00"
check "add tells it once" -- [ "$(grep -c "^Error:" "$WORK/stderr")" -eq 1 ]
check "in the points rule's words" -- grep -q "^Error: Неверное значение в поле State" "$WORK/stderr"
expect_output "rescore with it" "Update score" -- \
  sh -c '"$@" | head -1' - "${RU_DIR[@]}" --station state=MO rescore
check "rescore tells it once" -- [ "$(grep -c "^Error:" "$WORK/stderr")" -eq 1 ]
expect_output "the log of another contest" \
"2${T}2026-01-01${T}10:05${T}DL1ABC${T}20${T}CW${T}599${T}MO${T}599${T}5${T}3${T}0${T}0${T}DL -${T}DL${T}" -- \
  "$CLI" --dir "$WORK/ru" --contest "Russian DX contest" --station call=UA3ABC --station state=MO \
  add --call DL1ABC --band 20 --rcvd 5 --at "2026-01-01 10:05"
expect_status "then the championship cannot count on from 'MO'" 1 \
  "mirva-cli: The sent number must be digits: the championship sends the zone number and the \
serial (3001, 3002, ...), and the last sent exchange 'MO' is not. Type the number to send in Sent." \
  -- "${RU_DIR[@]}" --station state=3 next-sent
expect_status "add asks for --sent" 1 "Type the number to send in Sent. Give it with --sent." -- \
  "${RU_DIR[@]}" --station state=3 add --call UA9ABD --band 20 --rcvd 5001 --at "2026-01-01 10:06"
"${RU_DIR[@]}" --station state=3 add --call UA9ABD --band 20 --rcvd 5001 --sent "" \
  --at "2026-01-01 10:06" >/dev/null 2>&1
"${RU_DIR[@]}" --station state=3 add --call UA9ABE --band 20 --rcvd 5001 --sent 3001 \
  --at "2026-01-01 10:07" >/dev/null 2>&1
expect_output "a QSO saved with Sent empty is passed over" "3002" -- \
  "${RU_DIR[@]}" --station state=3 next-sent
finish
