# `cabrillo --v3`: the Cabrillo 3.0 logs of two contests with different exchanges (a CQ zone
# on CW, a serial and Spanish provinces on phone), compared line for line with the hand-written
# files of tests/data/cabrillo3; the 2.0 log stays as reports.sh checks it.
source "$(dirname "$0")/testlib.bash"
VERSION=$("$CLI" --version)
VERSION=${VERSION#mirva-cli }

# same_log NAME FILE -- COMMAND...: the command's standard output must be the expected file.
same_log() {
  sed -e 's/|$/\r/' -e "s/@VERSION@/$VERSION/" "$SRC/tests/data/cabrillo3/$2" >"$WORK/expected"
  expect_bytes "$1" "$WORK/expected" "${@:3}"
}
# log_qsos DIR CONTEST QSO...: a fresh folder with the QSOs "DATE TIME CALL BAND RCVD" logged.
log_qsos() {
  new_dir "$1" && cp "$SRC/data/Spain.DOM" "$WORK/$1/"
  local cli=("$CLI" --dir "$WORK/$1" --contest "$2" --station call=DL1ABC)
  add_qsos cli "${@:3}"
}

log_qsos cqww "CQ WW DX Contest (CW)" "2025-11-29 00:01 UA3ABC 20 16" \
  "2025-11-29 00:02 K1ABC 20 05" "2025-11-29 01:07 JA1XYZ 40 25" \
  "2025-11-29 01:10 UA3ABC 20 16" "2025-11-29 01:15 DK2ABC 40 14"
same_log "every header tag filled, blank soapbox lines left out" cq_ww_cw.cbr -- \
  "$CLI" --dir "$WORK/cqww" --contest "CQ WW DX Contest (CW)" --station call=DL1ABC \
  cabrillo --v3 --name "Hans Muster" --arrl-section DX --category-operator SINGLE-OP-ASSISTED \
  --category-band ALL --category-power LOW --category-mode CW --category-overlay CLASSIC \
  --club "Test Club" --operators "DL1ABC DL2XYZ" --address "12 Main St" --city Berlin \
  --state-province " " --postal-code 10115 --country Germany --email dl1abc@example.org \
  --soapbox "" --soapbox "Fine contest"

log_qsos kos "King of Spain Contest (SSB)" "2025-05-17 12:01 EA4ABC 20 M" \
  "2025-05-17 13:05 EA3XYZ 40 B" "2025-05-18 00:07 F5ABC 20 7"
same_log "optional tags without a value left out, the category read from the 2.0 choice" \
  king_of_spain_ssb.cbr -- \
  "$CLI" --dir "$WORK/kos" --contest "King of Spain Contest (SSB)" --station call=DL1ABC \
  cabrillo --v3 --category-operator SINGLE-OP-QRP-PORTABLE --soapbox ""
finish
