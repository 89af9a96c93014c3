# import: what is not logged is said, with its line, and the exit status tells whether every
# QSO: line was logged (0), some were not (3) or the import failed or stopped (1); the input
# rule applies to every value of the file; a stopped import says where to go on.
source "$(dirname "$0")/testlib.bash"

# The number of QSOs in the log of the folder.
qsos() {
  echo $(($(stat -c %s "$WORK/$1/mrvtest.dat") / 264))
}
qso() {  # qso TIME CALL RCVD [MODE [KHZ]]: a QSO line of DL1ABC
  printf 'QSO: %s %s 2025-11-29 %s DL1ABC 599 14 %s 599 %s\n' "${5:-14025}" "${4:-CW}" "$1" "$2" "$3"
}

new_dir cq
L=("$CLI" --dir "$WORK/cq" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)

# Not a Cabrillo file, or nothing in it to log: status 1, and the log stays empty.
: >"$WORK/empty.log"
expect_status "an empty file" 1 "empty.log is not a Cabrillo file: it has no START-OF-LOG: or QSO: line" \
  -- "${L[@]}" import "$WORK/empty.log"
head -c 2000 "$CLI" >"$WORK/binary.log"
expect_status "a binary file" 1 "binary.log is not a Cabrillo file" -- "${L[@]}" import "$WORK/binary.log"
printf 'START-OF-LOG: 3.0\nCALLSIGN: DL1ABC\nEND-OF-LOG:\n' >"$WORK/header.log"
expect_status "a log without QSOs" 1 "no QSO logged: $WORK/header.log has no QSO: line" -- \
  "${L[@]}" import "$WORK/header.log"
{ qso 0001 UA3ABC 16 PH 14200; qso 0002 K1ABC 05 CW 10120; } >"$WORK/none-fit.log"
expect_status "a log of QSOs that all fail" 1 "has no QSO: line that could be logged" -- \
  "${L[@]}" import "$WORK/none-fit.log"
check "the refused QSOs are reported" -- grep -qx "line 1 skipped: mode 'SSB' is not one of the contest's modes: CW" "$WORK/stderr"
expect_output "nothing was logged" "" -- "${L[@]}" list

# Every line accounted for: an excluded QSO, a call too long, a mode and a value refused, QSOs
# after the end of the log.
{
  printf 'START-OF-LOG: 3.0\n'
  qso 0001 UA3ABC 16
  printf 'X-QSO: 14025 CW 2025-11-29 0002 DL1ABC 599 14 G4ABC 599 14\n'
  qso 0003 UA3ABCDEFGHIJK 16
  qso 0004 K1ABC 05 PH 14200
  qso 0005 $'K1\x1B[2J' 05
  qso 0006 K1XYZ $'05\xff'
  qso 0007 K1XYZ "$(printf '\xcf\xf0')"
  qso 0008 JA1XYZ 25
  printf 'END-OF-LOG:\n'
  qso 0009 JA1ABC 25
  qso 0010 JA2ABC 25
} >"$WORK/mixed.log"
expect_status "a log with lines not logged: status 3" 3 "" -- "${L[@]}" import "$WORK/mixed.log"
check "counts" -- [ "$(cat "$WORK/stdout")" = "Logged: 3
Skipped: 4
Logged with a value cut: 1
X-QSO not logged: 1
Ignored after END-OF-LOG: 2" ]
check "what was not logged, line by line" -- [ "$(cat "$WORK/stderr")" = "line 4: the callsign 'UA3ABCDEFGHIJK' has 14 characters; the field holds 12; logged as 'UA3ABCDEFGHI'
line 5 skipped: mode 'SSB' is not one of the contest's modes: CW
line 6 skipped: the callsign 'K1\x1B[2J' holds the control character \x1B
line 7 skipped: the received exchange is not valid UTF-8 text (at byte 3: 0xFF)
line 8 skipped: the received exchange is not valid UTF-8 text (at byte 1: 0xCF)
1 X-QSO: line not logged, on line 3: the file marks such QSOs as not counting.
2 QSO: lines after END-OF-LOG: ignored, the first on line 11." ]
expect_output "the logged QSOs" "UA3ABC
UA3ABCDEFGHI
JA1XYZ" -- bash -c '"$@" | cut -f4' - "${L[@]}" list

# A band the contest does not have is refused as add refuses it.
new_dir top
qso 0001 UA3ABC 16 CW 1830 >"$WORK/top.log"
qso 0002 UA3ABD 16 CW 14025 >>"$WORK/top.log"
expect_status "a 20 m QSO in the 160 m contest" 3 "line 2 skipped: band '20' is not one of the contest's bands: 160" \
  -- "$CLI" --dir "$WORK/top" --contest "CQ WW 160m DX contest (CW)" --station call=DL1ABC import "$WORK/top.log"

# An error the save shows is told once, with its count and first line: the Russian
# championship scores nothing without the station's zone.
new_dir ru
{ printf 'START-OF-LOG: 3.0\n'; for i in 1 2 3; do qso "000$i" "UA1AB$i" "100$i"; done; } >"$WORK/ru.log"
expect_status "the same error of three saves" 0 "(3 QSOs, the first on line 2)" -- \
  "$CLI" --dir "$WORK/ru" --contest "Чемпионат/Кубок России телеграфом" --station call=UA3ABC \
  import "$WORK/ru.log"
check "told once" -- [ "$(grep -c '^Error: ' "$WORK/stderr")" -eq 1 ]

# A full disk stops the import: the log keeps the whole records written before, and the
# operator is told which lines went in; the rest imports on from there.
new_dir full
for i in 1 2 3 4 5 6; do qso "000$i" "K${i}ABC" 05; done >"$WORK/six.log"
F=("$CLI" --dir "$WORK/full" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
# One block of 1 KB holds three records.
expect_status "a write beyond the file size limit" 1 \
  "the import of $WORK/six.log stopped at line 4: Cannot write" -- \
  bash -c 'trap "" XFSZ; ulimit -f 1; "$@"' - "${F[@]}" import "$WORK/six.log"
check "the lines imported and where to go on" -- grep -qF \
  "Lines 1 to 3 were imported, 3 QSOs logged, the last from line 3. To go on, import the lines from 4 on." \
  "$WORK/stderr"
check "three whole QSOs in the log" -- [ "$(stat -c %s "$WORK/full/mrvtest.dat")" -eq 792 ]
expect_output "the rest imported" "Logged: 3
Skipped: 0" -- bash -c 'tail -n +4 "$0" | "$@" import -' "$WORK/six.log" "${F[@]}"
expect_output "the whole file logged once" "K1ABC K2ABC K3ABC K4ABC K5ABC K6ABC" -- \
  bash -c '"$@" list | cut -f4 | xargs' - "${F[@]}"

# A terminate signal stops a long import at a line: what was logged before stays, whole.
new_dir long
seq 10000 | awk '{ printf "QSO: 14025 CW 2025-11-29 %02d%02d DL1ABC 599 14 K%dA 599 05\n", $1 / 60 % 24, $1 % 60, $1 }' \
  >"$WORK/long.log"
G=("$CLI" --dir "$WORK/long" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
"${G[@]}" import "$WORK/long.log" >"$WORK/stdout" 2>"$WORK/stderr" &
pid=$!
for _ in $(seq 500); do
  [ "$(stat -c %s "$WORK/long/mrvtest.dat" 2>/dev/null || echo 0)" -ge 26400 ] && break
  sleep 0.01
done
kill -TERM $pid
wait $pid
check "stopped with status 1" -- [ $? -eq 1 ]
check "interrupted and told where" -- grep -q "stopped at line [0-9]*: interrupted by signal 15" "$WORK/stderr"
logged=$(sed -n 's/^Logged: //p' "$WORK/stdout")
check "the log holds the $logged QSOs logged" -- [ "$(qsos long)" = "$logged" ]
check "whole records" -- [ $(($(stat -c %s "$WORK/long/mrvtest.dat") % 264)) -eq 0 ]
finish
