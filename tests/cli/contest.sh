# contests, contest and points with --contest and --station.
source "$(dirname "$0")/testlib.bash"

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
expect_failure "contest needs --contest" "needs a contest" -- "${CLI_DIR[@]}" contest
expect_failure "bad station key" "unknown station key" -- \
  "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" --station grid=JO62 contest
expect_failure "points without a band" "points takes" -- \
  "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" points UA3ABC
finish
