#!/usr/bin/env bash
# Runs the whole test suite N times (default 5) in one build tree, as a
# developer does after each change: from the second run on, CTest orders the
# tests by the timings of the run before (Testing/Temporary/CTestCostData.txt),
# so other tests meet than on a fresh clone, and the prefixes hold what the
# runs before left. Each run starts its sessions as scripts/test does; its
# output goes to build/repeat/run-K.log. Prints the failures of each run, then
# how many runs passed. Needs a finished build (scripts/test). Extra
# arguments go to ctest.
# Usage: tests/e2e/repeat.sh [N] [CTEST ARGUMENTS]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${BUILD_DIR:-$root/build}"
rounds=${1:-5}
shift $(($# > 0 ? 1 : 0))
logs="$build/repeat"
mkdir -p "$logs"
. "$root/scripts/wine-session.sh"
trap wine_session_end EXIT

passed=0
for round in $(seq "$rounds"); do
  start=$(date +%s)
  wine_test_sessions_start "$build" >/dev/null 2>&1
  (cd "$build" && ctest --output-on-failure -j 2 "$@") >"$logs/run-$round.log" 2>&1
  wine_session_end
  failed=$(sed -n '/^The following tests FAILED:/,$p' "$logs/run-$round.log" | grep -E '^\s+[0-9]+ - ' |
    sed -E 's/^\s+[0-9]+ - //; s/ \(.*//' | tr '\n' ' ')
  count=$(wc -w <<<"$failed")
  grep -q '100% tests passed' "$logs/run-$round.log" || [ "$count" != 0 ] || count="?"
  [ "$count" = 0 ] && passed=$((passed + 1))
  echo "run $round: $count failed $(($(date +%s) - start)) s ${failed}"
done
echo "$rounds runs, $passed passed"
[ "$passed" = "$rounds" ]
