#!/usr/bin/env bash
# Adds or removes an extra drive of the current Wine prefix (WINEPREFIX, as
# scripts/test and scripts/run-demo set it), for tests that need more drives
# than c: and z:. Wine's mount manager makes the dosdevices link and records
# the kind, and running programs see the drive at once.
#
#   tests/wine-drive.sh add LETTER PATH [hd|cdrom|floppy|network|ramdisk]
#   tests/wine-drive.sh remove LETTER
#
# PATH is a Linux folder; one that does not exist gives a drive without a
# medium (a cdrom without a disc is still listed, but not ready). Wine reads a
# drive's volume label from the file .windows-label in PATH.
# The helper program is $WINEDRIVE, else build/bin/winedrive.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=${WINEDRIVE:-$root/build/bin/winedrive.exe}
usage() { echo "usage: wine-drive.sh add LETTER PATH [KIND] | remove LETTER" >&2; exit 2; }

[ -n "${WINEPREFIX:-}" ] || { echo "wine-drive.sh: no WINEPREFIX" >&2; exit 2; }
[ -f "$exe" ] || { echo "wine-drive.sh: $exe not built" >&2; exit 2; }
command=${1:-}
letter=${2:-}
[[ "$letter" =~ ^[a-zA-Z]$ ]] || usage
case "$command" in
  add)
    [ $# -ge 3 ] || usage
    set -- add "$letter" "$(realpath -m "$3")" "${4:-hd}"
    ;;
  remove) set -- remove "$letter" ;;
  *) usage ;;
esac

# Through a file: Wine's helper processes may keep a pipe open.
out=$(mktemp)
rc=0
wine "$exe" "$@" >"$out" 2>&1 </dev/null || rc=$?
cat "$out"
rm -f "$out"
exit $rc
