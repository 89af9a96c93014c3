# The input rule as add and edit apply it: a value with a line break, a tab, an escape, bytes
# that are not UTF-8, a character Windows-1251 lacks or more characters than its field is
# refused as a usage error naming the option, and nothing is logged; Cyrillic text is kept.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

mkdir "$WORK/log"
cp "$SRC/tests/data/contest/CTY.DAT" "$WORK/log/"
L=("$CLI" --dir "$WORK/log" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
AT=(--at "2025-11-29 00:01")

expect_status "newline in the callsign" 2 "--call: the callsign 'UA3ABC\x0AK1ABC' holds" -- \
  "${L[@]}" add "${AT[@]}" --call $'UA3ABC\nK1ABC' --rcvd 16
expect_status "a dash in the callsign" 2 "holds '-'; a callsign is Latin letters, digits and /" \
  -- "${L[@]}" add "${AT[@]}" --call UA3-ABC --rcvd 16
expect_status "tab in the note" 2 "--note: the note 'a\x09b' holds the control character \x09" \
  -- "${L[@]}" add "${AT[@]}" --call UA3ABC --rcvd 16 --note $'a\tb'
expect_status "escape sequence in the received exchange" 2 \
  "--rcvd: the received exchange '16\x1B[2J' holds the control character \x1B" -- \
  "${L[@]}" add "${AT[@]}" --call UA3ABC --rcvd $'16\e[2J'
expect_status "Windows-1251 bytes in the note" 2 \
  "--note: the note is not valid UTF-8 text (at byte 1: 0xCF)" -- \
  "${L[@]}" add "${AT[@]}" --call UA3ABC --rcvd 16 --note "$(printf '\xcf\xf0\xe8')"
expect_status "invalid UTF-8 in the sent report" 2 "--rst-s: the sent report is not valid UTF-8" \
  -- "${L[@]}" add "${AT[@]}" --call UA3ABC --rcvd 16 --rst-s "$(printf '59\xff')"
expect_status "a letter Windows-1251 lacks" 2 "--note: the note holds U+00F6" -- \
  "${L[@]}" add "${AT[@]}" --call UA3ABC --rcvd 16 --note "Köln"
expect_status "a 10 KB callsign" 2 "has 10240 characters; the field holds 12" -- \
  "${L[@]}" add "${AT[@]}" --call "$(printf 'A%.0s' $(seq 10240))" --rcvd 16
expect_status "13 characters of sent exchange" 2 \
  "--sent: the sent exchange '1234567890123' has 13 characters; the field holds 12" -- \
  "${L[@]}" add "${AT[@]}" --call UA3ABC --rcvd 16 --sent 1234567890123
# A callsign of blanks is an empty one: the save refuses it as it refuses "".
for call in "" "   "; do
  expect_status "add with the callsign '$call'" 1 "Error: Callsign field is empty!" -- \
    "${L[@]}" add "${AT[@]}" --call "$call" --rcvd 16
done
expect_output "nothing refused was logged" "" -- "${L[@]}" list

Q1="1${T}2025-11-29${T}00:01${T}UA3ABC/P${T}20${T}CW${T}599${T}14${T}599${T}16${T}1${T}0${T}0${T}UA 16${T}UA${T}Привет, Ёлка №5"
expect_output "a Cyrillic note Windows-1251 holds" "$Q1" -- \
  "${L[@]}" add "${AT[@]}" --call ua3abc/p --band 20 --rcvd 16 --note "Привет, Ёлка №5"
NOTE=$(printf 'Я%.0s' $(seq 127))
expect_output "127 Cyrillic letters fill the note" "${Q1%$'\t'*}${T}$NOTE" -- \
  "${L[@]}" edit 1 --note "$NOTE"
expect_status "edit: 128 letters do not" 2 "the note 'ЯЯЯ" -- "${L[@]}" edit 1 --note "${NOTE}Я"
expect_status "edit: newline in the callsign" 2 "--call: the callsign" -- \
  "${L[@]}" edit 1 --call $'UA3ABC\n'
expect_status "edit: a NUL-free invalid byte" 2 "--rcvd: the received exchange is not valid UTF-8" \
  -- "${L[@]}" edit 1 --rcvd "$(printf '1\x80')"
for call in "" "  "; do
  expect_status "edit: the callsign '$call'" 1 "mirva-cli: Callsign field is empty!" -- \
    "${L[@]}" edit 1 --call "$call"
done
expect_output "refused edits changed nothing" "${Q1%$'\t'*}${T}$NOTE" -- "${L[@]}" list
finish
