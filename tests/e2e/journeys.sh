#!/usr/bin/env bash
# Kirimo as a person uses it, on a real X desktop with openbox and the
# accessibility bus. Each file in journeys/ adds its journeys; each journey
# runs from a fresh directory and leaves screenshots in build/e2e/.
#
#   bash tests/e2e/journeys.sh [PATTERN]   only the journeys whose name matches
. "$(dirname "$0")/desktop.sh"

journeys=()
for file in "$(dirname "$0")"/journeys/*.sh; do
  # shellcheck source=/dev/null
  . "$file"
done

passed=0
failed=0
run() {
  # Not as an if's condition, where bash would ignore set -e in the journey.
  local status
  set +e
  (set -e; "$@")
  status=$?
  set -e
  if [ "$status" -eq 0 ]; then passed=$((passed + 1)); echo "ok   $1"; else failed=$((failed + 1)); echo "FAIL $1"; fi
}

for name in "${journeys[@]}"; do
  [[ "$name" == *${1:-}* ]] && run "$name"
done
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
