# Helpers for the command-line tests: each script gets the mirva-cli binary and the source
# folder, works in a fresh temporary folder and exits non-zero at the first failed check.
set -u
CLI="$1"
SRC="$2"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
failures=0

# new_dir NAME: a fresh working folder $WORK/NAME holding the test country file.
new_dir() {
  mkdir "$WORK/$1" && cp "$SRC/tests/data/contest/CTY.DAT" "$WORK/$1/"
}

# expect_output NAME EXPECTED -- COMMAND...: runs the command and compares its standard output.
expect_output() {
  local name="$1" expected="$2"
  shift 3
  local actual
  actual="$("$@" 2>"$WORK/stderr")"
  local status=$?
  if [ $status -ne 0 ] || [ "$actual" != "$expected" ]; then
    echo "FAIL: $name (exit $status)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual")
    cat "$WORK/stderr"
    failures=$((failures + 1))
  fi
}

# expect_failure NAME PATTERN -- COMMAND...: the command must exit non-zero and say PATTERN on stderr.
expect_failure() {
  local name="$1" pattern="$2"
  shift 3
  "$@" >"$WORK/stdout" 2>"$WORK/stderr"
  local status=$?
  if [ $status -eq 0 ] || ! grep -q -- "$pattern" "$WORK/stderr"; then
    echo "FAIL: $name (exit $status)"
    cat "$WORK/stderr"
    failures=$((failures + 1))
  fi
}

# expect_status NAME STATUS PATTERN -- COMMAND...: the command must exit with STATUS and say
# PATTERN (a fixed text) on stderr; its output stays in $WORK/stdout and $WORK/stderr.
expect_status() {
  local name="$1" expected="$2" pattern="$3"
  shift 4
  "$@" >"$WORK/stdout" 2>"$WORK/stderr"
  local status=$?
  if [ $status -ne "$expected" ] || ! grep -qF -- "$pattern" "$WORK/stderr"; then
    echo "FAIL: $name (exit $status, expected $expected)"
    cat "$WORK/stderr"
    failures=$((failures + 1))
  fi
}

# expect_bytes NAME FILE -- COMMAND...: the command's standard output must be the bytes of FILE;
# a difference is shown line by line, CR as '|'.
expect_bytes() {
  local name="$1" file="$2"
  shift 3
  if ! "$@" >"$WORK/actual" 2>"$WORK/stderr"; then
    echo "FAIL: $name (exit $?)"
    cat "$WORK/stderr"
    failures=$((failures + 1))
  elif ! cmp -s "$file" "$WORK/actual"; then
    echo "FAIL: $name"
    diff <(sed 's/\r$/|/' "$file") <(sed 's/\r$/|/' "$WORK/actual")
    failures=$((failures + 1))
  fi
}

# add_qsos NAME QSO...: logs each QSO "YYYY-MM-DD HH:MM CALL BAND [RCVD]" with the mirva-cli
# command line in the array NAME.
add_qsos() {
  local -n add_cli=$1
  local qso date time call band rcvd
  for qso in "${@:2}"; do
    read -r date time call band rcvd <<<"$qso"
    "${add_cli[@]}" add --at "$date $time" --call "$call" --band "$band" ${rcvd:+--rcvd "$rcvd"} \
      >/dev/null || { echo "FAIL: add $qso"; failures=$((failures + 1)); }
  done
}

# check NAME -- COMMAND...: the command (usually a test) must succeed.
check() {
  local name="$1"
  shift 2
  "$@" || { echo "FAIL: $name"; failures=$((failures + 1)); }
}

finish() {
  [ $failures -eq 0 ] && echo "all checks passed" && exit 0
  echo "$failures checks failed"
  exit 1
}
