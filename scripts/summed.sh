# shellcheck shell=bash
# Sourced by every script that ends with `N passed, N failed`: the one place
# results are counted and that line is printed.
#   counted OK          one check: passed when OK is 0, failed otherwise
#   summed CMD...       runs CMD (no input), shows its output and adds the
#                       `N passed, N failed` of its last line; leaves CMD's
#                       exit status in $status
#   ctest_summed FILE   adds the tally of the ctest output in FILE
#   summary             prints the last line; fails when anything failed
# A run that gives no tally (setup failed, root broken, build broken) counts
# as one failure. Any failure, or a run that exits non-zero, sets rc=1.
passed=0 failed=0 rc=0

counted() {
  if [ "$1" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)) rc=1; fi
}

# _add PASSED FAILED
_add() {
  passed=$((passed + $1)) failed=$((failed + $2))
  [ "$2" -eq 0 ] || rc=1
}

summed() {
  local out last
  out=$(mktemp)
  # Whatever the caller's errexit and pipefail: CMD's own status.
  { "$@" </dev/null 2>&1 | tee "$out"; status=${PIPESTATUS[0]}; } || true
  last=$(tail -n 1 "$out")
  rm -f "$out"
  if [[ $last =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    _add "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
  else
    counted 1
  fi
  [ "$status" -eq 0 ] || rc=1
}

# ctest's own line: `NN% tests passed, N tests failed out of N`; the last one
# counts. Returns non-zero when there is none.
ctest_summed() {
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    _add $((BASH_REMATCH[2] - BASH_REMATCH[1])) "${BASH_REMATCH[1]}"
  else
    counted 1
    return 1
  fi
}

summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ] && [ "$rc" -eq 0 ]
}
