# The Cabrillo log and the ALL and SUM reports of short logs in a standard contest (CQ WW),
# in VOLTA and in the Russian championship, compared byte for byte with the hand-written
# files of tests/data/reports.
source "$(dirname "$0")/testlib.bash"

# expected FILE: the hand-written report as the program must save it, dated today.
expected() {
  sed -e 's/|$//' -e "s/@TODAY@/$(date -u +%m-%d-%Y)/" "$SRC/tests/data/reports/$1" |
    iconv -f UTF-8 -t CP866 | sed 's/$/\r/'
}
# same_bytes NAME FILE -- COMMAND...: the command's standard output must be the expected file.
same_bytes() { expected "$2" >"$WORK/expected" && expect_bytes "$1" "$WORK/expected" "${@:3}"; }

# CQ WW: a duplicate (no points, a mark of hyphens) and an own-country QSO (no points).
new_dir cqww
CQWW=("$CLI" --dir "$WORK/cqww" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC)
add_qsos CQWW "2025-11-29 00:01 UA3ABC 20" "2025-11-29 00:02 K1ABC 20" "2025-11-29 01:07 JA1XYZ 40" \
  "2025-11-29 01:10 UA3ABC 20" "2025-11-29 01:15 DK2ABC 40"
printf '[Operators]\r\nName0=Hans\r\nLastName0=Muster\r\nCall0=DL1ABC\r\nName1=Eva\r\nLastName1=Schmidt\r\nCall1=DL2XYZ\r\n' \
  >"$WORK/cqww/operators.ini"
same_bytes "Cabrillo log: header, a one-line address, an empty soapbox, the QSO lines" cq_ww.cbr -- \
  "${CQWW[@]}" cabrillo --name "Hans Muster" --arrl-section DX --category-operator SINGLE-OP \
  --category-band ALL --category-power LOW --category-mode CW --club "Test Club" \
  --operators "DL1ABC DL2XYZ" --address "12 Main St"
same_bytes "ALL file: empty Mults and Pts columns for the dupe and the own country" cq_ww.all -- \
  "${CQWW[@]}" all
same_bytes "SUM file: operators from operators.ini, the band table, the claimed score" cq_ww.sum -- \
  "${CQWW[@]}" sum --class SOAB --address "12 Main St" --address Berlin \
  --equipment "IC-7300, 100 W" --equipment Dipole --comments "Fine contest"
"${CQWW[@]}" cabrillo --call DL1ABC --address "12 Main St" --out "$WORK/saved.cbr" >"$WORK/out"
"${CQWW[@]}" cabrillo --address "12 Main St" >"$WORK/stdout.cbr"
check "--out writes the bytes standard output gets, and --call defaults to the station" -- \
  cmp -s "$WORK/saved.cbr" "$WORK/stdout.cbr"
check "--out prints nothing" -- test ! -s "$WORK/out"
# The version the program shows is the one its Cabrillo 2.0 line has always named.
CREATED=$(sed -n 's/^CREATED-BY: Mirva contest module v\.//p' "$SRC/tests/data/reports/cq_ww.cbr")
expect_output "--version names the Cabrillo log's version" "mirva-cli ${CREATED%|}" -- "$CLI" --version

# VOLTA: every zone pair worth 5 points; JA1 worked on four bands from Europe counts as an
# intercontinental country, K1 on three bands and F on one do not.
new_dir volta
for _ in $(seq 40); do printf '5 %.0s' $(seq 39); printf '5\r\n'; done >"$WORK/volta/points.tbl"
VOLTA=("$CLI" --dir "$WORK/volta" --contest "VOLTA RTTY WW Contest" --station call=DL1ABC)
add_qsos VOLTA "2025-05-10 12:01 JA1ABC 80 1-25" "2025-05-10 12:02 JA1ABC 40 2-25" \
  "2025-05-10 12:03 K1ABC 20 3-05" "2025-05-10 12:04 JA1ABC 20 4-25" \
  "2025-05-10 12:05 K1ABC 15 5-05" "2025-05-10 12:06 F5ABC 20 6-14" \
  "2025-05-10 12:07 JA1ABC 15 7-25" "2025-05-10 12:08 K1ABC 40 8-05"
same_bytes "VOLTA SUM file: the intercontinental count and its score line" volta.sum -- \
  "${VOLTA[@]}" sum

# Russian championship: bands 20 20 40 40 20 give the band-change column; Cyrillic texts go
# out in code page 866.
new_dir russian
RUS=("$CLI" --dir "$WORK/russian" --contest "Чемпионат/Кубок России телеграфом"
  --station call=UA3ABC --station state=3)
add_qsos RUS "2025-03-01 12:01 UA9XYZ 20 5012" "2025-03-01 12:02 RA3DEF 20 3007" \
  "2025-03-01 12:03 UA9XYZ 40 5013" "2025-03-01 12:04 DL1ABC 40 1021" \
  "2025-03-01 13:05 RA3DEF 20 3020"
printf '[Operators]\r\nName0=Иван\r\nSecName0=Иванович\r\nLastName0=Иванов\r\nCall0=UA3ABC\r\nSportsRank0=КМС\r\nName1=Петр\r\nSecName1=Петрович\r\nLastName1=Петров\r\nCall1=UA3XYZ\r\nSportsRank1=I\r\n' |
  iconv -f UTF-8 -t CP1251 >"$WORK/russian/operators.ini"
same_bytes "Russian ALL file" russian.all -- "${RUS[@]}" all
same_bytes "Russian SUM file" russian.sum -- "${RUS[@]}" sum --class ONE-OP --period "24 ч" \
  --address "Москва" --address "ул. Ленина 1" --equipment TS-590

finish
