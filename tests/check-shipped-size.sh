#!/usr/bin/env bash
# Checks the program as it ships: stripped of its symbol table and no larger
# than LIMIT bytes (default 500 KiB) with all its art.
# Usage: check-shipped-size.sh INSTALLER_EXE [LIMIT]
set -euo pipefail
exe=${1:?usage: check-shipped-size.sh INSTALLER_EXE [LIMIT]}
limit=${2:-$((500 * 1024))}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

status=0
size=$(stat -c %s "$exe")
if [ "$size" -gt "$limit" ]; then
  echo "FAIL $exe: $size bytes, more than $limit" >&2
  status=1
fi
# A stripped PE has no COFF symbol table: its pointer and count are zero.
symbols=$("$objdump" -f "$exe" | grep -c 'HAS_SYMS' || true)
if [ "$symbols" != 0 ]; then
  echo "FAIL $exe: carries a symbol table" >&2
  status=1
fi
[ $status = 0 ] && echo "ok   $(basename "$exe"): $size bytes, stripped"
exit $status
