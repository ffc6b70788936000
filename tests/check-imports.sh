#!/usr/bin/env bash
# Checks that every .exe and unrar.dll in a folder (the build's bin/) is a
# 32-bit Windows PE that imports only system DLLs, or unrar.dll: the release
# ships one folder, with nothing of MinGW's runtime (libgcc, libstdc++,
# libwinpthread) beside the program.
# What ships (Installer.exe, unrar.dll) imports at load time only libraries
# on the platform's known list, which the loader takes from the system
# folder whatever lies beside the program (the names on it on every Windows
# from XP on), and the system's C runtime: releases are run from download
# folders, where a planted winmm.dll would otherwise run first.
# Usage: check-imports.sh BINDIR
set -euo pipefail

bin=${1:?usage: check-imports.sh BINDIR}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

# Compared without case, as the platform's loader compares them.
declare -A allowed
for dll in kernel32 user32 gdi32 comctl32 winmm shell32 advapi32 msvcrt ole32 oleaut32 \
  shlwapi powrprof msimg32 mpr oleacc unrar; do
  allowed[$dll.dll]=1
done
declare -A known
for dll in kernel32 user32 gdi32 advapi32 shell32 ole32 oleaut32 comdlg32 rpcrt4 imagehlp wldap32 \
  msvcrt; do
  known[$dll.dll]=1
done

shopt -s nullglob nocaseglob
files=("$bin"/*.exe "$bin"/unrar.dll)
shopt -u nocaseglob
if [ ! -f "$bin/unrar.dll" ]; then
  echo "check-imports: no unrar.dll in $bin" >&2
  exit 1
fi

status=0
for f in "${files[@]}"; do
  dump=$("$objdump" -p "$f" 2>&1) || { echo "FAIL $f: objdump cannot read it" >&2; status=1; continue; }
  format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$dump" | head -n1)
  if [ "$format" != pei-i386 ]; then
    echo "FAIL $f: file format '${format:-unknown}', expected pei-i386 (32-bit PE)" >&2
    status=1
    continue
  fi
  magic=$(awk '$1=="Magic"{print $2; exit}' <<<"$dump")
  if [ "$magic" != 010b ]; then
    echo "FAIL $f: optional header magic '$magic', expected 010b (PE32)" >&2
    status=1
  fi
  imports=$(awk '/DLL Name:/{print $3}' <<<"$dump")
  bad=
  list=allowed what="non-system DLLs"
  case "${f##*/}" in
  [Ii]nstaller.exe | [Uu]nrar.dll) list=known what="DLLs not on the known list" ;;
  esac
  declare -n ok=$list
  for dll in $imports; do
    [ -n "${ok[${dll,,}]:-}" ] || bad="$bad $dll"
  done
  unset -n ok
  if [ -n "$bad" ]; then
    echo "FAIL $f: imports $what:$bad" >&2
    status=1
  else
    echo "ok   $(basename "$f"): $(tr '\n' ' ' <<<"$imports")"
  fi
done
exit $status
