# `lookup` and `wpx` on the small country file of the tests; `status` on the shipped data.
source "$(dirname "$0")/testlib.bash"
T=$'\t'

mkdir "$WORK/dir"
cp "$SRC/tests/data/CTY.DAT" "$WORK/dir/"
expect_output "lookup" \
"UA0DAA${T}UA9${T}Asiatic Russia${T}19${T}33${T}AS
DL1ABC/P${T}DL${T}Fed. Rep. of Germany${T}14${T}28${T}EU
4U1VIC${T}4U1V${T}Vienna Intl Ctr${T}15${T}28${T}EU
ua9abc${T}${T}${T}${T}${T}
ЖЖ1${T}${T}${T}${T}${T}" \
  -- "$CLI" --dir "$WORK/dir" lookup UA0DAA DL1ABC/P 4U1VIC ua9abc ЖЖ1

expect_output "wpx" \
"UA3ABC/5${T}UA5
OE/DL1ABC${T}OE0
K1ABC/m${T}m0
/${T}0" \
  -- "$CLI" wpx UA3ABC/5 OE/DL1ABC K1ABC/m /

mkdir "$WORK/home"
cp "$SRC"/data/* "$WORK/home/"
cp "$SRC/tests/data/CTY.DAT" "$WORK/home/"
"$CLI" --dir "$WORK/home" status >"$WORK/status" 2>&1
check "status exits with 0" -- [ $? -eq 0 ]
check "status catalogue" -- grep -q "^Contests.mrv: 36 contests" "$WORK/status"
check "status log" -- grep -q "^Log: 0 QSOs" "$WORK/status"
finish
