# A short CQ WW DX CW contest of a German station (EU, CQ zone 14), logged with add and with
# import: points, duplicates, proposed exchanges, refusals, totals, check, edit and rescore,
# delete and clear; then the WPX serial numbers. Multiplier marks and multiplier totals are
# left out here and checked in multipliers.sh.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

new_dir() {
  mkdir "$WORK/$1"
  cp "$SRC/tests/data/contest/CTY.DAT" "$WORK/$1/"
}
# The command's QSO lines without column 14, the multiplier mark.
without_mark() {
  local out
  out=$("$@") || return
  [ -z "$out" ] || printf '%s\n' "$out" | cut -f1-13,15-
}
# The command's totals without the multiplier and score lines.
without_mults() {
  local out
  out=$("$@") || return
  printf '%s\n' "$out" | grep -v -e '^Multipliers: ' -e '^Score: '
}
# The multiplier rows of the check output alone.
only_rows() {
  local out
  out=$("$@") || return
  printf '%s\n' "$out" | grep '^List'
}
# The check output without the multiplier rows.
without_rows() {
  local out
  out=$("$@") || return
  printf '%s\n' "$out" | grep -v '^List'
}

CQWW=(--contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
BANDS="${T}160${T}80${T}40${T}20${T}15${T}10"
new_dir add
A=("$CLI" --dir "$WORK/add" "${CQWW[@]}")

expect_output "sent exchange: the own CQ zone" "14" -- "${A[@]}" next-sent
Q1="1${T}2025-11-29${T}00:01${T}UA3ABC${T}20${T}CW${T}599${T}14${T}599${T}16${T}1${T}0${T}0${T}UA${T}"
expect_output "first QSO: its CQ zone proposed, 1 point in Europe" "$Q1" -- \
  without_mark "${A[@]}" add --at "2025-11-29 00:01" --call UA3ABC --band 20
Q2="2${T}2025-11-29${T}00:02${T}K1ABC${T}20${T}CW${T}599${T}14${T}599${T}05${T}3${T}0${T}0${T}K${T}"
expect_output "typed zone padded, 3 points for another continent" "$Q2" -- \
  without_mark "${A[@]}" add --at "2025-11-29 00:02" --call K1ABC --band 20 --rcvd 5
Q3="3${T}2025-11-29${T}00:03${T}UA3ABC${T}20${T}CW${T}599${T}14${T}599${T}16${T}0${T}0${T}0${T}UA${T}##Dupe## again"
expect_output "duplicate on the same band: 0 points, the note marked" "$Q3" -- \
  without_mark "${A[@]}" add --at "2025-11-29 00:03" --call UA3ABC --band 20 --note again
Q4="4${T}2025-11-29${T}00:04${T}UA3ABC${T}15${T}CW${T}599${T}14${T}599${T}16${T}1${T}0${T}0${T}UA${T}"
expect_output "the same call on another band is new" "$Q4" -- \
  without_mark "${A[@]}" add --at "2025-11-29 00:04" --call UA3ABC --band 15
Q5="5${T}2025-11-29${T}00:05${T}JA1XYZ${T}15${T}CW${T}599${T}14${T}599${T}25${T}3${T}0${T}0${T}JA${T}"
expect_output "Asia from Europe: 3 points, the call typed in lower case" "$Q5" -- \
  without_mark "${A[@]}" add --at "2025-11-29 00:05" --call ja1xyz --band 15 --rcvd 25

# 9A is not in the test country file: no zone to propose, so the exchange stays empty.
expect_failure "empty exchange refused without --yes" "Received number is empty! Save anyway? No" \
  -- "${A[@]}" add --at "2025-11-29 00:06" --call 9A1A --band 20
Q6="6${T}2025-11-29${T}00:06${T}9A1A${T}20${T}CW${T}599${T}14${T}599${T}00${T}3${T}0${T}0${T}${T}"
expect_output "--yes saves the empty exchange as zone 00" "$Q6" -- \
  without_mark "${A[@]}" add --at "2025-11-29 00:06" --call 9A1A --band 20 --yes
expect_failure "empty callsign refused" "Callsign field is empty!" -- \
  "${A[@]}" add --at "2025-11-29 00:07" --call "" --band 20
expect_failure "band outside the contest" "band '30' is not one of the contest's bands: 160 80 40 20 15 10" \
  -- "${A[@]}" add --call G4ABC --band 30 --rcvd 14
expect_failure "mode outside the contest" "mode 'SSB' is not one of the contest's modes: CW" \
  -- "${A[@]}" add --call G4ABC --mode SSB --rcvd 14
expect_failure "hour 24 in --at" "--at takes" -- \
  "${A[@]}" add --at "2025-11-29 24:00" --call G4ABC --rcvd 14
expect_failure "a word add does not take" "add does not take 'G4ABC'" -- "${A[@]}" add G4ABC
expect_failure "add needs a contest" "needs a contest" -- "$CLI" --dir "$WORK/add" add --call G4ABC

ADDED="$Q1
$Q2
$Q3
$Q4
$Q5
$Q6"
expect_output "refused QSOs are not logged" "$ADDED" -- without_mark "${A[@]}" list
TOTALS="QSOs: 6
Points: 11
$BANDS
CW${T}0${T}0${T}0${T}4${T}2${T}0"
expect_output "totals of the added log" "$TOTALS" -- without_mults "${A[@]}" totals
expect_output "rescoring scores as the saves did" "Update score
$TOTALS" -- without_mults "${A[@]}" rescore
expect_output "rescored log" "$ADDED" -- without_mark "${A[@]}" list

# The same contest from a Cabrillo file with a header, a 30 m QSO and a QSO line without time.
new_dir import
I=("$CLI" --dir "$WORK/import" "${CQWW[@]}")
expect_status "import of a log with two bad lines: status 3" 3 "" -- \
  "${I[@]}" import "$SRC/tests/data/cq_ww_cw.log"
check "import counts" -- [ "$(cat "$WORK/stdout")" = $'Logged: 6\nSkipped: 2' ]
check "30 m line reported" -- \
  grep -qx "line 9 skipped: frequency '10120' kHz is in none of the bands 160 to 10 m" "$WORK/stderr"
check "short line reported" -- \
  grep -qx "line 11 skipped: too few fields: 9 where a QSO line has 10 or 11" "$WORK/stderr"
expect_output "imported QSOs as the added ones" "${ADDED/Dupe## again/Dupe## }" -- \
  without_mark "${I[@]}" list
expect_output "imported totals as the added ones" "$TOTALS" -- without_mults "${I[@]}" totals
expect_failure "missing Cabrillo file" "Cannot read $WORK/none.log" -- "${I[@]}" import "$WORK/none.log"

# The entry's view of a call; the log holds UA3ABC on 20 and 15 and K1ABC on 20.
expect_output "check: a worked call on a new band" "Country: European Russia
Cont: EU
ITU: 29
CQ: 16
Status: new
Proposed: 16
Proposed on exit: 16
Worked: UA3ABC" -- without_rows "${A[@]}" check UA3ABC --band 40
expect_output "check: a duplicate; its earlier exchange replaces the typed one" "Country: European Russia
Cont: EU
ITU: 29
CQ: 16
Status: dupe
Proposed: 16
Proposed on exit: 16
Worked: UA3ABC(dupe)" -- without_rows "${A[@]}" check UA3ABC --band 20 --rcvd 17
expect_output "check: a new call keeps the typed exchange" "Country: Austria
Cont: EU
ITU: 28
CQ: 15
Status: new
Proposed: 15
Proposed on exit: 17
Worked: " -- without_rows "${A[@]}" check OE1XYZ --band 20 --rcvd 17
expect_output "check: part of a call lists the calls containing it" "Country: 
Cont: 
ITU: 
CQ: 
Status: new
Proposed: 
Proposed on exit: 
Worked: K1ABC UA3ABC(dupe)" -- without_rows "${A[@]}" check ABC --band 15
expect_output "check: one character shows the unknown labels" "Country: ???
Cont: ??
ITU: ??
CQ: ??
Status: new
Proposed: 
Proposed on exit: 05
Worked: " -- without_rows "${A[@]}" check K
expect_output "check: one character shows every multiplier row unknown" "List1: ???
List2: ???" -- only_rows "${A[@]}" check K --rcvd 05
expect_output "check logs nothing" "$ADDED" -- without_mark "${A[@]}" list

# Edits change the fields at once and the score at the next rescore: QSO 4 moves to 20,
# where UA3ABC was worked already.
cp -r "$WORK/add" "$WORK/edit"
E=("$CLI" --dir "$WORK/edit" "${CQWW[@]}")
expect_output "edit: the band and note change, the points stay" \
  "4${T}2025-11-29${T}00:04${T}UA3ABC${T}20${T}CW${T}599${T}14${T}599${T}16${T}1${T}0${T}0${T}UA${T}moved" \
  -- without_mark "${E[@]}" edit 4 --band 20 --note moved
expect_output "edit: the received zone padded" \
  "2${T}2025-11-30${T}23:59${T}K1ABC${T}20${T}CW${T}599${T}14${T}599${T}04${T}3${T}0${T}0${T}K${T}" \
  -- without_mark "${E[@]}" edit 2 --rcvd 4 --date 2025-11-30 --time 23:59
expect_failure "edit past the log" "There is no QSO number 7; the log holds 6 QSOs" -- \
  "${E[@]}" edit 7 --note x
expect_failure "edit of QSO 0" "There is no QSO number 0" -- "${E[@]}" edit 0 --note x
expect_failure "edit with a bad date" "--date takes YYYY-MM-DD" -- "${E[@]}" edit 1 --date 2025-02-30
expect_failure "edit to a band outside the contest" "band '30' is not one" -- "${E[@]}" edit 1 --band 30
expect_output "rescore after the edits: QSO 4 is a duplicate now" "Update score
QSOs: 6
Points: 10
$BANDS
CW${T}0${T}0${T}0${T}5${T}1${T}0" -- without_mults "${E[@]}" rescore
expect_output "edited log after the rescore" "$Q1
2${T}2025-11-30${T}23:59${T}K1ABC${T}20${T}CW${T}599${T}14${T}599${T}04${T}3${T}0${T}0${T}K${T}
$Q3
4${T}2025-11-29${T}00:04${T}UA3ABC${T}20${T}CW${T}599${T}14${T}599${T}16${T}0${T}0${T}0${T}UA${T}##Dupe## moved
$Q5
$Q6" -- without_mark "${E[@]}" list

# Deleting K1ABC gives the totals of a log that never held it.
cp -r "$WORK/add" "$WORK/delete"
D=("$CLI" --dir "$WORK/delete" "${CQWW[@]}")
expect_output "delete QSO 2" "" -- "${D[@]}" delete 2
expect_output "totals after the delete" "QSOs: 5
Points: 8
$BANDS
CW${T}0${T}0${T}0${T}3${T}2${T}0" -- without_mults "${D[@]}" totals
new_dir never
grep -v K1ABC "$SRC/tests/data/cq_ww_cw.log" |
  "$CLI" --dir "$WORK/never" "${CQWW[@]}" import - >/dev/null 2>&1
check "deleted and never-held totals agree" -- \
  [ "$("${D[@]}" totals)" = "$("$CLI" --dir "$WORK/never" "${CQWW[@]}" totals)" ]
expect_failure "delete past the log" "There is no QSO number 6; the log holds 5 QSOs" -- \
  "${D[@]}" delete 6

expect_failure "clear without --yes" "give --yes" -- "${D[@]}" clear
check "refused clear keeps the log" -- [ "$("${D[@]}" list | wc -l)" -eq 5 ]
expect_output "clear --yes" "" -- "${D[@]}" clear --yes
expect_output "cleared log" "" -- "${D[@]}" list
expect_output "cleared totals" "QSOs: 0
Points: 0
Multipliers: 0
Score: 0
$BANDS
CW${T}0${T}0${T}0${T}0${T}0${T}0" -- "${D[@]}" totals
check "cleared log kept as mrvtest.old" -- [ "$(stat -c %s "$WORK/delete/mrvtest.old")" -eq $((5 * 264)) ]

# WPX: serial numbers count on from the last sent exchange, whoever typed it.
new_dir wpx
W=("$CLI" --dir "$WORK/wpx" --contest "CQ WW WPX Contest (CW)" --station call=DL1ABC)
expect_output "WPX: first serial" "001" -- "${W[@]}" next-sent
W1="1${T}2025-05-31${T}00:10${T}UA3ABC${T}160${T}CW${T}599${T}001${T}599${T}007${T}2${T}0${T}0${T}UA${T}"
expect_output "WPX: the first band by default, low-band points doubled" "$W1" -- \
  without_mark "${W[@]}" add --at "2025-05-31 00:10" --call UA3ABC --rcvd 7
expect_output "WPX: second serial" "002" -- "${W[@]}" next-sent
expect_failure "WPX proposes no received exchange" "Received number is empty" -- \
  "${W[@]}" add --call K1ABC --band 20
W2="2${T}2025-05-31${T}00:11${T}K1ABC${T}20${T}CW${T}599${T}050${T}599${T}123${T}3${T}0${T}0${T}K${T}"
expect_output "WPX: a serial typed by hand" "$W2" -- without_mark "${W[@]}" add \
  --at "2025-05-31 00:11" --call K1ABC --band 20 --sent 050 --rcvd 123
expect_output "WPX: serial after 050" "051" -- "${W[@]}" next-sent

# A CW QSO from standard input; a phone QSO in the CW contest is refused, as add refuses it.
expect_output "WPX: a QSO imported from standard input" "Logged: 1
Skipped: 0" -- "${W[@]}" import - <<<"QSO: 14012 CW 2025-05-31 0012 DL1ABC 599 051 JA1XYZ 599 8"
expect_status "WPX: a phone QSO is not logged" 1 \
  "line 1 skipped: mode 'SSB' is not one of the contest's modes: CW" -- \
  "${W[@]}" import - <<<"QSO: 14200 PH 2025-05-31 0013 DL1ABC 59 052 JA1ABC 59 9"
expect_output "WPX: the log with the imported QSO" "$W1
$W2
3${T}2025-05-31${T}00:12${T}JA1XYZ${T}20${T}CW${T}599${T}051${T}599${T}008${T}3${T}0${T}0${T}JA${T}" \
  -- without_mark "${W[@]}" list
expect_output "WPX: totals" "QSOs: 3
Points: 8
$BANDS
CW${T}1${T}0${T}0${T}2${T}0${T}0" -- without_mults "${W[@]}" totals
expect_output "WPX: serial after the import" "052" -- "${W[@]}" next-sent
finish
