# Command lines mirva-cli must refuse, and their neighbours it must take: unknown options,
# words left over, values out of their range or refused by the input rule (each option of add
# and edit names itself), QSOs the log does not hold, and standard output that cannot be
# written. No refused command changes the log.
source "$(dirname "$0")/testlib.bash"

D="$WORK/log"
mkdir "$D"
cp "$SRC/tests/data/contest/CTY.DAT" "$D/"
cp "$SRC/tests/data/three_qsos.dat" "$D/mrvtest.dat"
CQ="CQ WW DX Contest (CW)"
FULL=/dev/full
[ -w "$FULL" ] || FULL=""

# exit status | where standard output goes (. a file, full /dev/full) | a text of the first
# line on standard error | the words after --dir (quotes group words, $CQ is the contest)
while IFS='|' read -r status out message words; do
  [ -z "$status" ] && continue
  [ "$out" = full ] && [ -z "$FULL" ] && continue
  eval "set -- $words"
  target="$WORK/stdout"
  [ "$out" = full ] && target="$FULL"
  "$CLI" --dir "$D" "$@" >"$target" 2>"$WORK/stderr"
  got=$?
  first=$(head -n 1 "$WORK/stderr")
  if [ "$got" -ne "$status" ] || [[ "$first" != *"$message"* ]]; then
    echo "FAIL: $words > $out: exit $got, not $status; '$first'"
    failures=$((failures + 1))
  fi
done <<'EOF'
2|.|mirva-cli: unknown option '--frob'|--frob list
2|.|mirva-cli: unknown option '--yes'|--yes clear
2|.|mirva-cli: list does not take 'extra'|list extra
2|.|mirva-cli: list does not take the option '--frob'|list --frob
2|.|mirva-cli: status does not take 'x'|status x
2|.|mirva-cli: contests does not take the option '--all'|contests --all
2|.|mirva-cli: contest does not take 'x'|--contest "$CQ" contest x
2|.|mirva-cli: lookup takes one CALL or more|lookup
2|.|mirva-cli: lookup does not take the option '--wae'|lookup DL1ABC --wae
2|.|mirva-cli: wpx takes one CALL or more|wpx
2|.|mirva-cli: totals does not take 'x'|--contest "$CQ" totals x
2|.|mirva-cli: delete does not take '2'|delete 1 2
2|.|mirva-cli: delete does not take the option '--yes'|delete 1 --yes
2|.|mirva-cli: import does not take 'b.log'|--contest "$CQ" import a.log b.log
2|.|mirva-cli: import does not take the option '--frob'|--contest "$CQ" import --frob
2|.|mirva-cli: edit does not take the option '--frob'|--contest "$CQ" edit 1 --frob x
2|.|mirva-cli: add does not take 'x'|--contest "$CQ" add --call DL1ABC x
2|.|mirva-cli: check does not take 'extra'|--contest "$CQ" check DL1ABC extra
2|.|mirva-cli: adif does not take the option '--force'|adif --out x.adi --force
2|.|mirva-cli: band 'abc' is not one of the contest's bands|--contest "$CQ" points JA1A abc XX
2|.|mirva-cli: mode 'XX' is not one of the contest's modes|--contest "$CQ" points JA1A 20 XX
2|.|mirva-cli: points takes CALL BAND MODE|--contest "$CQ" points JA1A 20
2|.|mirva-cli: points does not take 'x'|--contest "$CQ" points JA1A 20 CW 25 x
2|.|mirva-cli: --time takes HH:MM, not '24:00'|--contest "$CQ" points JA1A 20 CW --time 24:00
2|.|mirva-cli: --time is given more than once|--contest "$CQ" points JA1A 20 CW --time 12:00 --time 13:00
2|.|mirva-cli: band '30' is not one of the contest's bands: 160 80 40 20 15 10|--contest "$CQ" add --call G4ABC --band 30
2|.|mirva-cli: --at takes the UTC date and time|--contest "$CQ" add --at "2025-11-29 24:00" --call G4ABC
1|.|mirva-cli: There is no QSO number 4; the log holds 3 QSOs|--contest "$CQ" edit 4 --note x
1|.|mirva-cli: There is no QSO number 0|--contest "$CQ" edit 0 --note x
2|.|mirva-cli: --date takes YYYY-MM-DD, not '2025-02-30'|--contest "$CQ" edit 1 --date 2025-02-30
2|.|mirva-cli: band '30' is not one|--contest "$CQ" edit 1 --band 30
1|.|mirva-cli: There is no QSO number 4; the log holds 3 QSOs|delete 4
2|.|mirva-cli: clear empties the whole log; give --yes to do it|clear
2|.|mirva-cli: --call: the callsign 'UA3ABC\x0AK1ABC' holds|--contest "$CQ" add --call $'UA3ABC\nK1ABC'
2|.|has 10240 characters; the field holds 12|--contest "$CQ" add --call "$(printf 'A%.0s' $(seq 10240))"
2|.|mirva-cli: --rcvd: the received exchange '16\x1B[2J' holds the control character \x1B|--contest "$CQ" add --call K1A --rcvd $'16\e[2J'
2|.|mirva-cli: --note: the note is not valid UTF-8 text (at byte 1: 0xCF)|--contest "$CQ" add --call K1A --note $'\xcf\xf0\xe8'
2|.|mirva-cli: --note: the note holds U+00F6|--contest "$CQ" add --call K1A --note Köln
2|.|mirva-cli: --rst-s: the sent report is not valid UTF-8|--contest "$CQ" add --call K1A --rst-s $'59\xff'
2|.|mirva-cli: --sent: the sent exchange '1234567890123' has 13 characters; the field holds 12|--contest "$CQ" add --call K1A --sent 1234567890123
1|.|Callsign field is empty!|--contest "$CQ" add --call "   " --rcvd 16
2|.|mirva-cli: --rcvd: the received exchange is not valid UTF-8|--contest "$CQ" edit 1 --rcvd $'1\x80'
2|.|mirva-cli: --note: the note 'ЯЯЯ|--contest "$CQ" edit 1 --note "$(printf 'Я%.0s' $(seq 128))"
1|.|mirva-cli: Callsign field is empty!|--contest "$CQ" edit 1 --call ""
2|.|mirva-cli: --station takes KEY=VALUE, not 'cq'|--station cq list
2|.|mirva-cli: unknown station key 'grid'|--station grid=JO62 list
2|.|mirva-cli: --station lat=abc: the latitude must be a number of degrees from -90 to 90|--station lat=abc list
2|.|mirva-cli: --station long=-180.5: the longitude must be a number of degrees from -180 to 180|--station long=-180.5 list
2|.|mirva-cli: --station cq=99999999999999999999: the CQ zone must be a whole number from 1 to 40|--station cq=99999999999999999999 list
2|.|mirva-cli: --station itu=91: the ITU zone must be a whole number from 1 to 90|--station itu=91 list
0|.||--station cq=05 --station itu=90 --station lat=-90 --station long=180 --station lat=47.33 list
0|.||--station cq= --station long=-13.33 --station state=3 list
0|.||--contest "$CQ" --station call=DL1ABC points JA1A 20 CW 25 --time 1205
0|.||lookup DL1ABC UA3ABC
1|full|mirva-cli: the output could not be written to standard output|list
1|full|mirva-cli: the output could not be written to standard output|--help
1|full|mirva-cli: the output could not be written to standard output|--contest "$CQ" --station call=DL1ABC totals
EOF

if [ -n "$FULL" ]; then
  mkdir "$WORK/empty"
  "$CLI" --dir "$WORK/empty" list >"$FULL"
  check "an empty list writes nothing and succeeds on a full disk" -- [ $? -eq 0 ]
fi

check "no refused command changed the log" -- cmp -s "$D/mrvtest.dat" "$SRC/tests/data/three_qsos.dat"
finish
