#!/usr/bin/env bash
# The failure table: one bad release, bad disk or bad input per row, walked
# through the screen with the real Installer.exe. Each row makes its own
# release folder and its own target drive t:, so any row runs alone:
#   scripts/test -R '^e2e\.fail\.disk-full$'
# Per row: what the user sees (box texts; the extraction status label and
# the splash title compared with the text drawn in their font, pixel for
# pixel), which windows are shown and enabled afterwards, the target against
# what rar packed (byte for byte), nothing written outside the target,
# whether the .reg file was imported, and the exit code.
#
# Usage: failtable.sh BIN_DIR DEMO_DIR ROW   (rows: the row_* functions)
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/failtable-lib.sh"
. "$(dirname "$0")/failtable-rows.sh"

row=${3:?usage: failtable.sh BIN_DIR DEMO_DIR ROW}
declare -F "row_$row" >/dev/null || fail "no row $row"
"row_$row"
echo "1 passed, 0 failed"
