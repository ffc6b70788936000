#!/usr/bin/env bash
# Runs the ten end-to-end tests N times in a row (default 20) in a copy of
# the build's Wine prefix and on a display of their own, so a flaky test
# shows up as a failure count. Needs a finished build (scripts/test).
# Usage: tests/e2e/repeat.sh [N]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${BUILD_DIR:-$root/build}"
rounds=${1:-20}
work=$(mktemp -d)
cp -a "$build/wineprefix" "$work/"
. "$root/scripts/wine-session.sh"
trap 'wine_session_end; rm -rf "$work"' EXIT
wine_session_start "$work/wineprefix" own >/dev/null 2>&1

tests="splash-normal missing-ini missing-music install-road folder-cancel viewer closing viewer-bad-input
  keyboard-road unattended"
runs=0 failures=0
for round in $(seq "$rounds"); do
  for name in $tests; do
    start=$(date +%s)
    if timeout 300 bash "$root/tests/e2e/$name.sh" "$build/bin" "$build/demo-release" \
      >"$work/last.log" 2>&1; then
      result=pass
    else
      result=FAIL
      failures=$((failures + 1))
      sed 's/^/    /' "$work/last.log"
    fi
    runs=$((runs + 1))
    echo "round $round $name $result $(($(date +%s) - start)) s"
  done
done
echo "$runs runs, $failures failures"
[ "$failures" = 0 ]
