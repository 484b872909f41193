# Counting checks in the shell tests; sourced, not run.
PASSED=0
FAILED=0

# Reports one check: `check "what is checked" command...`.
check() {
  local what=$1
  shift
  if "$@"; then
    PASSED=$((PASSED + 1))
    echo "ok: $what"
  else
    FAILED=$((FAILED + 1))
    echo "FAILED: $what"
  fi
}

# The closing line, and the test's result.
finish() {
  echo "$PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
}
