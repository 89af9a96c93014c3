# Without --contest and --station, mirva-cli takes the contest and the station the program
# stored in its settings file under XDG_CONFIG_HOME; the command line overrides them.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

D="$WORK/dir"
mkdir "$D" "$WORK/config"
cp "$SRC/tests/data/contest/CTY.DAT" "$SRC/data/Contests.mrv" "$D/"
cp "$SRC/tests/data/three_qsos.dat" "$D/mrvtest.dat"
export XDG_CONFIG_HOME="$WORK/config"
SETTINGS="$XDG_CONFIG_HOME/Mirva contest module.conf"
CLI_DIR=("$CLI" --dir "$D")
SSB="CQ WW DX Contest (SSB)"  # line 1 of the catalogue

# Writes the settings as the program leaves them, CR LF and all, with the contest at line $1.
store() {
  printf '%s\r\n' "[ContestName]" "lbContestList.Tag=$1" "" "[Main]" "sbCalls.Down=true" "" \
    "[Station%20configuration]" "eCall=DL1ABC" "eCont=EU" "eCountry=DL" "eCQ=14" "eITU=28" \
    "eLat=51.0" "eLong=-10.0" "eState=" >"$SETTINGS"
}
# The last two lines of status: the contest and the station.
contest_and_station() {
  local out
  out=$("$@") || return
  printf '%s\n' "$out" | tail -n 2
}

expect_status "nothing stored" 2 "needs a contest: --contest NAME, and no contest is stored in $SETTINGS" \
  -- "${CLI_DIR[@]}" totals
expect_output "status with nothing stored" "Contest: none
Station: none" -- contest_and_station "${CLI_DIR[@]}" status

store 1
expect_output "status takes both" "Contest: $SSB
Station: DL1ABC" -- contest_and_station "${CLI_DIR[@]}" status
expect_output "totals of the stored contest" "$("${CLI_DIR[@]}" --contest "$SSB" totals)" -- \
  "${CLI_DIR[@]}" totals
expect_output "next-sent from the stored CQ zone" "14" -- "${CLI_DIR[@]}" next-sent
expect_output "--station changes one field" "15" -- "${CLI_DIR[@]}" --station cq=15 next-sent
expect_output "--contest overrides" "Contest: CQ WW DX Contest (CW)
Station: DL1ABC" -- contest_and_station "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" status
# Asia from Europe: 3 points, and the stored zone is sent.
expect_output "add scores for the stored station" \
  "4${T}2024-01-01${T}10:00${T}JA1ABC${T}20${T}SSB${T}59${T}14${T}59${T}25${T}3${T}0${T}0${T}JA 25${T}JA${T}" \
  -- "${CLI_DIR[@]}" add --call JA1ABC --band 20 --mode SSB --rcvd 25 --at "2024-01-01 10:00"

store 36
expect_status "a stored line past the catalogue" 2 \
  "needs a contest: --contest NAME, and the stored contest is line 36 (from 0) of Contests.mrv, which has 36 lines" \
  -- "${CLI_DIR[@]}" add --call JA2ABC --band 20 --mode SSB --rcvd 25
count=$("${CLI_DIR[@]}" list | wc -l)
check "nothing logged without a contest: $count QSOs" -- [ "$count" -eq 4 ]

# A damaged line or value is told with the file and the line; the rest is used.
store 1
printf '%s\n' "junk" "[Station%20configuration]" "eState=Z$(printf '\xc3\xbc')rich" >>"$SETTINGS"
expect_output "a damaged file goes on" "Contest: $SSB
Station: DL1ABC" -- contest_and_station "${CLI_DIR[@]}" status
check "the junk line is told" -- grep -qF "The settings file $SETTINGS, line 16: 'junk'" "$WORK/stderr"
check "the state is told" -- grep -qF "line 18: the station text eState holds U+00FC" "$WORK/stderr"

rm "$SETTINGS"
mkdir "$SETTINGS"
expect_output "an unreadable file stores nothing" "Contest: none
Station: none" -- contest_and_station "${CLI_DIR[@]}" status
check "and is told" -- grep -qF "The settings file $SETTINGS cannot be read" "$WORK/stderr"
finish
