# Times the parts of a run, so that the end of ./test.sh says which part takes how long.
MIRVA_TIMES=()

# Runs a command and keeps its name and the seconds it took.
timed() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  MIRVA_TIMES+=("$(printf '%-44s %5d s' "$name" $((SECONDS - start)))")
}

# Runs ctest with the given arguments and keeps the summed test time of each group of tests:
# the part of a test's name before its first dot (cli, ui, link, robust, fuzz, windows, ...),
# and "core" for the GoogleTest cases, whose names start with a capital.
timed_ctest() {
  local name=$1 log
  shift
  log=$(mktemp)
  timed "$name" bash -c 'set -o pipefail; ctest "$@" | tee "$0"' "$log" "$@"
  while read -r line; do MIRVA_TIMES+=("$line"); done < <(
    sed -n 's/.*Test *#[0-9]*: \([^ .]*\)[^ ]* .* \([0-9.]*\) sec.*/\1 \2/p' "$log" |
      awk '{ g = ($1 ~ /^[a-z]/) ? $1 : "core"; s[g] += $2; n[g]++ }
           END { for (g in s) printf "  %-42s %5.0f s (%d tests, summed)\n", g, s[g], n[g] }' |
      sort)
  rm -f "$log"
}

print_times() {
  echo "== Time taken by each part"
  printf '%s\n' "${MIRVA_TIMES[@]}"
  printf '%-44s %5d s\n' "total" "$SECONDS"
}
