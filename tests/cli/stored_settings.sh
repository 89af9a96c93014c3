# mirva-cli takes the contest, the station and the report headers the working directory keeps in
# workspace.ini; a directory that keeps none takes the program's last values from its settings
# file under XDG_CONFIG_HOME, and stores nothing. The command line overrides both.
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

# Writes the program's per-user settings, CR LF and all, with the contest at line $1.
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

expect_output "status with nothing stored: the catalogue's first contest" \
  "Contest: CQ WW DX Contest (CW)
Station: none" -- contest_and_station "${CLI_DIR[@]}" status

store 1
expect_output "a directory without settings takes the last values" "Contest: $SSB
Station: DL1ABC" -- contest_and_station "${CLI_DIR[@]}" status
check "and stores none of them" -- [ ! -e "$D/workspace.ini" ]
expect_output "next-sent from the stored CQ zone" "14" -- "${CLI_DIR[@]}" next-sent
expect_output "--station changes one field" "15" -- "${CLI_DIR[@]}" --station cq=15 next-sent
expect_output "--contest overrides" "Contest: CQ WW DX Contest (CW)
Station: DL1ABC" -- contest_and_station "${CLI_DIR[@]}" --contest "CQ WW DX Contest (CW)" status
# Asia from Europe: 3 points, and the stored zone is sent.
expect_output "add scores for the stored station" \
  "4${T}2024-01-01${T}10:00${T}JA1ABC${T}20${T}SSB${T}59${T}14${T}59${T}25${T}3${T}0${T}0${T}JA 25${T}JA${T}" \
  -- "${CLI_DIR[@]}" add --call JA1ABC --band 20 --mode SSB --rcvd 25 --at "2024-01-01 10:00"

store 36
expect_status "a last line past the catalogue" 2 "needs a contest: --contest NAME, and no contest is kept in" \
  -- "${CLI_DIR[@]}" add --call JA2ABC --band 20 --mode SSB --rcvd 25
count=$("${CLI_DIR[@]}" list | wc -l)
check "nothing logged without a contest: $count QSOs" -- [ "$count" -eq 4 ]

# What the directory keeps wins over the last values, and another directory keeps its own.
O="$WORK/other"
mkdir "$O"
cp "$D/CTY.DAT" "$D/Contests.mrv" "$O/"
printf '%s\r\n' "[Contest]" "Name=CQ WW DX Contest (CW)" "[Station configuration]" "eCall=UA3ABC" \
  "eCQ=16" "[Cabrillo]" "eName=Ivan" "mAddress=Lenina 1\\nMoscow" >"$O/workspace.ini"
printf '%s\r\n' "[Contest]" "Name=$SSB" "[Station configuration]" "eCall=K1ABC" >"$D/workspace.ini"
store 1
expect_output "each directory keeps its own" "Contest: CQ WW DX Contest (CW)
Station: UA3ABC" -- contest_and_station "$CLI" --dir "$O" status
expect_output "and the other its own" "Contest: $SSB
Station: K1ABC" -- contest_and_station "${CLI_DIR[@]}" status
header=$("$CLI" --dir "$O" cabrillo | tr -d "\r") || true
check "the Cabrillo header is the directory's" -- grep -qx "CONTEST: CQ-WW-CW" <<<"$header"
check "with its callsign" -- grep -qx "CALLSIGN: UA3ABC" <<<"$header"
check "its name and address" -- grep -qx "NAME: Ivan" <<<"$header"
check "two address lines" -- grep -qx "ADDRESS: Moscow" <<<"$header"
header=$("$CLI" --dir "$O" cabrillo --name Petr | tr -d "\r") || true
check "an option overrides a kept text" -- grep -qx "NAME: Petr" <<<"$header"

# A damaged line or value of the per-user file is told with the file and the line.
rm "$D/workspace.ini"
store 1
printf '%s\n' "junk" "[Station%20configuration]" "eState=Z$(printf '\xc3\xbc')rich" >>"$SETTINGS"
expect_output "a damaged file goes on" "Contest: $SSB
Station: DL1ABC" -- contest_and_station "${CLI_DIR[@]}" status
check "the junk line is told" -- grep -qF "The settings file $SETTINGS, line 16: 'junk'" "$WORK/stderr"
check "the state is told" -- grep -qF "line 18: the station text eState holds U+00FC" "$WORK/stderr"

# A damaged station text of the directory's file is left out and told.
printf '%s\r\n' "[Contest]" "Name=$SSB" "[Station configuration]" "eCall=K1ABC" "eITU=95" \
  >"$D/workspace.ini"
expect_output "a broken kept text is left out" "Contest: $SSB
Station: K1ABC" -- contest_and_station "${CLI_DIR[@]}" status
check "and told" -- grep -qF "line 5: the ITU zone must be a whole number from 1 to 90" "$WORK/stderr"
finish
