# Sourced by the scripts that run others and sum their results.
# summed CMD...: runs CMD (no input), shows its output, and adds the
# `N passed, N failed` of its last line to $passed and $failed. A run that
# ended before that line (setup failed, root broken) counts as one failure;
# either that or a non-zero exit sets rc=1. Leaves CMD's exit status in $status.
passed=0 failed=0 rc=0
summed() {
  local out last
  out=$(mktemp)
  # Whatever the caller's errexit and pipefail: CMD's own status.
  { "$@" </dev/null 2>&1 | tee "$out"; status=${PIPESTATUS[0]}; } || true
  last=$(tail -n 1 "$out")
  rm -f "$out"
  if [[ $last =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1])) failed=$((failed + BASH_REMATCH[2]))
  else
    failed=$((failed + 1)) rc=1
  fi
  [ "$status" -eq 0 ] || rc=1
}
