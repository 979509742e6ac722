# Sourced by the scripts that count named checks: `check NAME OK DETAIL` passes when OK is 1, else
# prints DETAIL under the failure; $passed and $failures hold the counts.
failures=0
passed=0
check() {  # check NAME OK DETAIL
  if [ "$2" = 1 ]; then
    passed=$((passed + 1))
    printf 'ok    %s\n' "$1"
  else
    failures=$((failures + 1))
    printf 'FAIL  %s\n%s\n' "$1" "$3"
  fi
}
