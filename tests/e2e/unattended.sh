#!/usr/bin/env bash
# Unattended installation: the real Installer.exe started with switches, one
# row per case, all in one test (no window to wait for). Per row: the exit
# code, the sentence in the log and on the console, the files against what
# rar packed, the registry, and none of the libraries planted beside the
# release loaded; over all rows: not a single window mapped on the display
# (watched with xev, not taken from the program's word). Last, the planted
# libraries once more with the windows shown.
# Usage: unattended.sh BIN_DIR DEMO_DIR
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/failtable-lib.sh"
. "$(dirname "$0")/failtable-rows.sh"

LOG=$SCRATCH/run.log
W_LOG=$(winpath "$LOG")
DRIVE_C=$WINEPREFIX/drive_c

# Every window mapped on the display from here on.
xev -root -event substructure >"$SCRATCH/xev" 2>&1 &
XEV=$!
undo_later kill "$XEV"
sleep 1

# Planted beside the release under the names of system libraries that the
# installer loads, or that the libraries it loads import: a library that
# leaves NAME.dll.loaded when it is loaded. Wine is told to prefer a library
# in the program's folder for these names, as the platform's loader searches
# it first. Not planted: version and imm32, which Wine itself loads before
# the program's first line.
PLANTED=(winmm msimg32 mpr oleacc comctl32 uxtheme msacm32 powrprof)
PREFER_PLANTED="$WINEDLLOVERRIDES;$(IFS=,; echo "${PLANTED[*]}")=n,b"

# The log of the row before stays: a run must replace it whole.
fresh_release() { # the demo release as shipped and planted, an empty drive t:, no import
  rm -rf "$REL" "${DISK:?}"/* && mkdir -p "$REL" && cp -r "$DEMO"/. "$REL/"
  local name
  for name in "${PLANTED[@]}"; do cp "$BIN/planted.dll" "$REL/$name.dll"; done
  wine reg delete 'HKCU\Software\DemoSoft' /f >/dev/null 2>&1 || true
}

expect_none_loaded() { # $1 row
  local loaded
  loaded=$(find "$REL" -name '*.loaded' -printf '%f ')
  [ -z "$loaded" ] || fail "$1: planted libraries were loaded: $loaded"
}

# Runs the installer in the release with the switches given, from another
# folder; sets RC and OUT (what it wrote to the console). The timeout only
# guards against a hang (a prompt nobody answers).
run() {
  local arg
  RUN_TARGET=
  for arg; do [[ ${arg,,} == [/-]d=* ]] && RUN_TARGET=${arg#*=}; done
  RC=0
  OUT=$(cd "$SCRATCH" && WINEDLLOVERRIDES=$PREFER_PLANTED timeout 900 wine "$REL/Installer.exe" "$@" \
    2>&1 </dev/null) || RC=$?
  OUT=$(tr -d '\r' <<<"$OUT")
}

log_text() { tr -d '\r' <"$LOG" 2>/dev/null; }
# Whether the log has a line grep "$@" matches. Not `log_text | grep -q`:
# grep ends at the first match, and under pipefail the writer it leaves
# behind (killed writing the rest of a log longer than a pipe holds) would
# fail the check.
log_has() { grep -q "$@" < <(log_text); }

expect_exit() { # $1 row, $2 code, $3 sentence: on the console and, with $4 "log", in the log
  [ "$RC" = "$2" ] || fail "$1: exit code $RC, expected $2; console: $OUT; log: $(log_text | tr '\n' '|')"
  grep -qF -- "$3" <<<"$OUT" || fail "$1: the console lacks \"$3\": $OUT"
  [ "${4:-}" = log ] || return 0
  log_has -xF -- "$3" || fail "$1: the log lacks \"$3\": $(log_text | tr '\n' '|')"
  [ "$(log_text | tail -1)" = "Exit code: $2" ] || fail "$1: the log does not end with its exit code"
  [ "$(log_text | grep -c '^Unattended installation started ')" = 1 ] &&
    [[ $(log_text | head -1) == "Unattended installation started "* ]] ||
    fail "$1: the log holds more than this run: $(log_text | tr '\n' '|')"
  ! grep -q $'[^\r]$' "$LOG" || fail "$1: a log line without CR LF"
  # A failed extraction leaves nothing: the new target folders are gone.
  [ "$2" != 4 ] || [ ! -e "$(wine winepath -u "$RUN_TARGET" 2>/dev/null)" ] ||
    fail "$1: the target the run made is still there"
}

# --- a good release -------------------------------------------------------

row_demo() {
  fresh_release
  packed
  local target="$DRIVE_C/Program Files/Demo"
  rm -rf "$target"
  note_outside
  run /S '/D=C:\Program Files\Demo' "/LOG=$W_LOG"
  [ "$RC" = 0 ] || fail "demo: exit code $RC: $OUT $(log_text)"
  expect_installed "$EXPECTED" "$target"
  wine reg query "$REG_KEY" >/dev/null 2>&1 || fail "demo: the .reg file was not imported"
  expect_outside_unchanged
  local log entry
  log=$(log_text)
  grep -q '^Unattended installation started 20[0-9-]* [0-9:]*$' <<<"$log" || fail "demo: no start line"
  grep -qxF "Release: ${INI[0]}" <<<"$log" || fail "demo: no release line"
  grep -qxF 'Target: C:\Program Files\Demo' <<<"$log" || fail "demo: no target line"
  while IFS= read -r entry; do
    grep -qxF "Extracting ${entry//\//\\}" <<<"$log" || fail "demo: no line for $entry"
  done < <(unrar lb "$DEMO/demo.part1.rar")
  grep -qxF 'Unpacking > demo.part3.rar' <<<"$log" || fail "demo: no line for the third volume"
  [ "$(tail -2 <<<"$log")" = $'Installed.\nExit code: 0' ] || fail "demo: log ends $(tail -2 <<<"$log")"
  rm -rf "$target"
}

# A folder with a letter of the ANSI code page beyond ASCII (0xDC in 1252):
# the files land in that folder, not in one named after the OEM reading of
# its bytes. The Unix side of the command line is UTF-8.
row_accented_target() {
  fresh_release
  local target="$DRIVE_C/Programme/Übersicht"
  rm -rf "$DRIVE_C/Programme"
  RC=0
  OUT=$(cd "$SCRATCH" && LC_ALL=C.UTF-8 timeout 900 wine "$REL/Installer.exe" /S \
    '/D=C:\Programme\Übersicht' 2>&1 </dev/null) || RC=$?
  [ "$RC" = 0 ] || fail "accented target: exit code $RC: $OUT"
  expect_installed "$EXPECTED" "$target"
  rm -rf "$DRIVE_C/Programme"
}

# Unquoted, the folder arrives in two words; its missing parents are made.
row_unquoted_new_parents() {
  fresh_release
  local target="$DRIVE_C/New Vendor/Demo App"
  rm -rf "$DRIVE_C/New Vendor"
  run -s '/d=C:\New' 'Vendor\Demo' 'App'
  [ "$RC" = 0 ] || fail "unquoted: exit code $RC: $OUT"
  expect_installed "$EXPECTED" "$target"
  rm -rf "$DRIVE_C/New Vendor"
}

# --- the target disk ------------------------------------------------------

# 1 MB of tmpfs for a set that needs 4: refused before anything is written;
# with /FORCE the run stops with the dialog's "Write error".
row_space_and_disk_full() {
  fresh_release
  mount -t tmpfs -o size=1m unattended "$DISK" || fail "cannot mount a tmpfs"
  undo_later umount -l "$DISK"
  add_drive t "$DISK"
  run /S '/D=T:\DemoApp' "/LOG=$W_LOG"
  expect_exit "no space" 3 "Not enough free space: 1 Mb. free, ${INI[6]} Mb. required." log
  [ ! -e "$TARGET" ] || fail "no space: the target was made"
  # Exactly the free megabytes asked for are enough: on to the write error.
  write_ini "${INI[@]:0:6}" $(($(df -B1 --output=avail "$DISK" | tail -1) / 1000000)) "${INI[@]:7}"
  run /S '/D=T:\DemoApp' "/LOG=$W_LOG"
  expect_exit "exactly enough" 4 "Extraction failed: Write error (stopped at "
  rm -rf "$TARGET"
  write_ini "${INI[@]}"
  run /S '/D=T:\DemoApp' /FORCE "/LOG=$W_LOG"
  expect_exit "disk full" 4 "Extraction failed: Write error (stopped at "
  log_has '^Extraction failed: Write error (stopped at .*)$' || fail "disk full: log"
  expect_reg no
  remove_drive t
  umount -l "$DISK"
}

# The release asks for more than any disk has: refused, and with /FORCE
# installed all the same.
row_force() {
  fresh_release
  INI[6]=999999999
  write_ini "${INI[@]}"
  run /S '/D=C:\Forced' "/LOG=$W_LOG"
  expect_exit "force" 3 "Not enough free space: "
  [ ! -e "$DRIVE_C/Forced" ] || fail "force: the target was made"
  run /S '/D=C:\Forced' /FORCE
  [ "$RC" = 0 ] || fail "force: exit code $RC with /FORCE: $OUT"
  expect_installed "$EXPECTED" "$DRIVE_C/Forced"
  rm -rf "$DRIVE_C/Forced"
  mapfile -t INI < <(tr -d '\r' <"$DEMO/install.ini")
}

# --- the archive set ------------------------------------------------------

row_truncated() {
  fresh_release
  truncate -s $(($(stat -c %s "$REL/demo.part3.rar") / 2)) "$REL/demo.part3.rar"
  run /S '/D=C:\Truncated' "/LOG=$W_LOG"
  expect_exit truncated 4 "Extraction failed: CRC error (stopped at "
  expect_reg no
  rm -rf "$DRIVE_C/Truncated"
}

# A missing volume fails at once, without a prompt (the timeout of run()
# would end a hang); the log names the volume it asked for.
row_missing_volume() {
  fresh_release
  rm "$REL/demo.part2.rar"
  run /S '/D=C:\Missing' "/LOG=$W_LOG"
  expect_exit "missing volume" 4 "Extraction failed: "
  log_has -F "Insert disk $(winpath "$REL")\\demo.part2.rar and press [Enter] or [Q]" ||
    fail "missing volume: the log does not name the volume: $(log_text | tr '\n' '|')"
  expect_reg no
  rm -rf "$DRIVE_C/Missing"
}

row_password() {
  fresh_release
  password_set -p
  run /S '/D=C:\Secret' "/LOG=$W_LOG"
  expect_exit password 4 "Extraction failed: Password required (stopped at secret.txt)" log
  [ ! -e "$DRIVE_C/Secret/secret.txt" ] || fail "password: an encrypted entry was written"
  rm -rf "$DRIVE_C/Secret" "$EXPECTED"
  packed
}

# Killed while unpacking many small files into a folder that holds the
# user's files, then started again: the second run puts right what the
# first left before it installs.
row_killed_and_run_again() {
  fresh_release
  rm -f "$REL"/demo.part*.rar
  local set=$SCRATCH/many target=$DRIVE_C/Killed d f
  rm -rf "$set" "$target" && mkdir -p "$set"
  for d in $(seq 30); do
    mkdir "$set/d$d"
    for f in $(seq 100); do echo "$d/$f" >"$set/d$d/f$f.txt"; done
  done
  printf 'new readme\r\n' >"$set/readme.txt"
  (cd "$set" && rar a -idq -y -m1 -r "$REL/demo.part1.rar" .) || fail "killed: rar"
  TARGET=$target seed_target
  local before
  before=$(TARGET=$target target_state | grep -v '^\. ')
  (cd "$SCRATCH" && exec wine "$REL/Installer.exe" /S '/D=C:\Killed' "/LOG=$W_LOG" \
    >/dev/null 2>&1 </dev/null) &
  local pid=$! i
  # No timer decides: under load Wine may take long to start, and a run
  # killed before it staged anything leaves nothing to put right.
  for i in $(seq 12000); do
    [ "$(log_text | grep -c '^Extracting ')" -ge 100 ] && break
    sleep 0.05
  done
  [ "$(log_text | grep -c '^Extracting ')" -ge 100 ] || fail "killed: the run never reached 100 entries"
  wt kill Installer.exe >/dev/null || fail "killed: cannot end the run"
  wait "$pid" || true
  [ "$(TARGET=$target target_state | grep -v '^\. ' | grep -vF ./~installer.staging)" = "$before" ] ||
    fail "killed: the user's files changed or the set's files arrived"
  run /S '/D=C:\Killed' "/LOG=$W_LOG"
  [ "$RC" = 0 ] || fail "killed: the second run ended with $RC: $(log_text | tr '\n' '|')"
  log_has -xF 'An interrupted installation into the target was undone.' ||
    fail "killed: the second run did not put right the first"
  expect_installed "$set" "$target" -x mine.txt
  [ "$(TARGET=$target target_state | grep -F ./mine.txt)" = "$(grep -F ./mine.txt <<<"$before")" ] ||
    fail "killed: the user's own file changed"
  rm -rf "$target" "$set"
}

# --- the release folder ---------------------------------------------------

row_bad_releases() {
  fresh_release
  rm "$REL/install.ini"
  run /S '/D=C:\Bad' "/LOG=$W_LOG"
  expect_exit "no install.ini" 2 "install.ini: File not found" log
  fresh_release
  INI[6]=abc
  write_ini "${INI[@]}"
  run /S '/D=C:\Bad' "/LOG=$W_LOG"
  expect_exit "line 7" 2 "install.ini: 'abc' is not a valid integer value" log
  mapfile -t INI < <(tr -d '\r' <"$DEMO/install.ini")
  fresh_release
  rm "$REL/demo.part1.rar"
  run /S '/D=C:\Bad' "/LOG=$W_LOG"
  expect_exit "no archive" 2 "Cannot open $(winpath "$REL")\\demo.part1.rar" log
  fresh_release
  rm "$REL/unrar.dll"
  run /S '/D=C:\Bad' "/LOG=$W_LOG"
  expect_exit "no unrar.dll" 2 "Cannot load $(winpath "$REL")\\unrar.dll (error 126)" log
  [ ! -e "$DRIVE_C/Bad" ] || fail "bad releases: the target was made"
}

# A .reg file the editor would refuse: the files stay installed, exit 5.
# One saved by the editor itself (UTF-16LE with its mark) and one with a
# UTF-8 mark are imported.
row_registry() {
  fresh_release
  printf 'not a registry file\r\n' >"$REL/demo.reg"
  run /S '/D=C:\RegBad' "/LOG=$W_LOG"
  expect_exit registry 5 "The registry file $(winpath "$REL")\\demo.reg has no \
\"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" header." log
  expect_installed "$EXPECTED" "$DRIVE_C/RegBad"
  expect_reg no
  rm -rf "$DRIVE_C/RegBad"
  local mark
  for mark in utf-16 utf-8; do
    fresh_release
    if [ $mark = utf-16 ]; then
      { printf '\xff\xfe'
        { printf 'Windows Registry Editor Version 5.00\r\n'; tail -n +2 "$DEMO/demo.reg"; } |
          iconv -f cp1252 -t utf-16le; } >"$REL/demo.reg"
    else
      { printf '\xef\xbb\xbf'; iconv -f cp1252 -t utf-8 "$DEMO/demo.reg"; } >"$REL/demo.reg"
    fi
    run /S '/D=C:\RegGood' "/LOG=$W_LOG"
    [ "$RC" = 0 ] || fail "registry $mark: exit code $RC: $OUT"
    expect_reg yes
    rm -rf "$DRIVE_C/RegGood"
  done
}

# --- removal --------------------------------------------------------------

# Name=value of each value of a registry key, sorted.
reg_values() {
  wine reg query "$1" 2>/dev/null | tr -d '\r' |
    sed -n 's/^    \([^ ]*\)    REG_[A-Z_]*    \(.*\)$/\1=\2/p' | sort
}

# The whole story: an old value in the demo's key, the release installed,
# its entry in the program list as the registry and Wine's own list of
# programs show it, a file changed and one added, the entry's quiet command
# run as it is written there. The two files stay byte for byte and nothing
# else of the release, the old value is back and the new ones are gone, so
# is the entry, and the uninstaller's copy in the temporary folder. Removed
# twice, the second finds no record.
row_removal() {
  fresh_release
  packed
  local target="$DRIVE_C/Program Files/Demo" at='C:\Program Files\Demo'
  local list='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' key id quiet i
  rm -rf "$target"
  wine reg add "$REG_KEY" /v Version /d 0.9 /f >/dev/null 2>&1
  run /S "/D=$at"
  [ "$RC" = 0 ] || fail "removal: installing ended with $RC: $OUT"
  key=$(wine reg query "$list" /s 2>/dev/null | tr -d '\r' | at=$at awk '
    /^HKEY_/ { key = $0 } $0 == "    InstallLocation    REG_SZ    " ENVIRON["at"] { print key }')
  id=${key##*\\}
  [[ $id == Installer-???????????????? ]] || fail "removal: no entry for $at: $key"
  local size
  size=$(find "$target" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "0x%x", (s + 1023) / 1024 }')
  diff <(reg_values "$key") <(sort <<EOF2
DisplayName=${INI[0]}
InstallLocation=$at
UninstallString="$at\Uninstall.exe" /UNINSTALL
QuietUninstallString="$at\Uninstall.exe" /UNINSTALL /S
DisplayIcon=$at\Uninstall.exe,0
EstimatedSize=$size
InstallDate=$(date +%Y%m%d)
NoModify=0x1
NoRepair=0x1
EOF2
  ) >"$SCRATCH/diff" || fail "removal: the entry's values: $(tr '\n' '|' <"$SCRATCH/diff")"
  wine uninstaller --list 2>/dev/null | tr -d '\r' | grep -qxF "$id|||${INI[0]}" ||
    fail "removal: not in Wine's list of programs"
  printf 'changed by the user\r\n' >>"$target/readme.txt"
  printf 'mine\r\n' >"$target/mine.txt"
  cp "$target/readme.txt" "$target/mine.txt" "$SCRATCH/"
  quiet=$(reg_values "$key" | sed -n 's/^QuietUninstallString=//p')
  RC=0
  wt run "$quiet" || RC=$?
  [ "$RC" = 0 ] || fail "removal: \"$quiet\" ended with $RC"
  # The uninstaller's file goes when it has ended, its copy after that.
  for i in $(seq 50); do
    [ ! -e "$target/Uninstall.exe" ] && [ -z "$(find "$WINEPREFIX/drive_c/users" -name 'Uninstall-*.exe')" ] && break
    sleep 0.2
  done
  [ "$(cd "$target" && find . | sort | tr '\n' ' ')" = ". ./mine.txt ./readme.txt " ] ||
    fail "removal: left $(cd "$target" && find . | sort | tr '\n' ' ')"
  cmp -s "$SCRATCH/readme.txt" "$target/readme.txt" && cmp -s "$SCRATCH/mine.txt" "$target/mine.txt" ||
    fail "removal: the user's files changed"
  [ -z "$(find "$WINEPREFIX/drive_c/users" -name 'Uninstall-*.exe')" ] || fail "removal: its copy stays"
  [ "$(reg_values "$REG_KEY")" = "Version=0.9" ] || fail "removal: the registry holds $(reg_values "$REG_KEY")"
  ! wine reg query "$key" >/dev/null 2>&1 || fail "removal: the entry stays"
  run /UNINSTALL /S "/D=$at"
  expect_exit "removal twice" 6 "There is no installation record in this folder. Nothing was removed from $at."
  # A file that cannot be deleted is named and stays; the rest goes.
  rm -rf "$target"
  run /S "/D=$at"
  chattr +i "$target/readme.txt" || fail "removal: cannot make a file immutable"
  undo_later chattr -i "$target/readme.txt"
  run /UNINSTALL /S "/D=$at" "/LOG=$W_LOG"
  chattr -i "$target/readme.txt"
  [ "$RC" = 7 ] && log_has '^Could not remove readme.txt: in use or denied' ||
    fail "removal of a held file: exit code $RC: $(log_text | tr '\n' '|')"
  [ "$(cd "$target" && find . -type f)" = ./readme.txt ] || fail "removal of a held file: left $(ls -R "$target")"
  rm -rf "$target"
}

# --- the command line -----------------------------------------------------

row_bad_command_lines() {
  fresh_release
  local -a cases=(
    "Unknown switch: /Q|/S|/D=C:\\x|/Q"
    "/S needs the target folder: /D=<folder>|/S"
    "The target folder after /D= is empty.|/S|/D="
    "The target folder is not an absolute path: Demo|/S|/D=Demo"
    "/FORCE works only with /S.|/FORCE|/D=C:\\x"
    "Cannot create the log file Z:\\no\\such\\folder\\x.log.|/S|/D=C:\\x|/LOG=Z:\\no\\such\\folder\\x.log"
  )
  local c sentence
  for c in "${cases[@]}"; do
    IFS='|' read -r -a args <<<"$c"
    sentence=${args[0]}
    run "${args[@]:1}"
    expect_exit "command line ${args[*]:1}" 1 "$sentence"
  done
  [ ! -e "$DRIVE_C/x" ] || fail "a bad command line made the target"
}

rows=(demo accented_target unquoted_new_parents space_and_disk_full force truncated missing_volume
  password killed_and_run_again bad_releases registry removal bad_command_lines)
for r in "${rows[@]}"; do
  echo "row $r"
  "row_$r"
  expect_none_loaded "$r"
done
sleep 1
if grep -q MapNotify "$SCRATCH/xev"; then
  fail "a window was mapped: $(grep -A2 MapNotify "$SCRATCH/xev" | head -6)"
fi

# Windowed, from the release folder, on each way to a library: the music,
# the accessible tree, the folder dialog's lists with a network drive.
echo "row planted_windowed"
fresh_release
# Wine's own common controls load msimg32 when they draw the lists, looking
# beside the program whatever the program asked of the loader.
rm "$REL/msimg32.dll"
add_drive n "$SCRATCH" network
(cd "$REL" && WINEDLLOVERRIDES=$PREFER_PLANTED exec wine "$REL/Installer.exe" >/dev/null 2>&1) &
INSTALLER_PID=$!
read -r x y _ < <(wt wait TForm1 "$START_WAIT") || fail "planted: no splash window"
wt tree TForm1 | grep -q . || fail "planted: no accessible tree"
xdotool mousemove $(splash_at "$x" "$y" Label4) click 1
wait_items TForm2 ComboBox '^n:' "(the network drive)"
wt close TForm1 >/dev/null || fail "planted: cannot close"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "planted: exit code $EXIT_CODE"
expect_none_loaded planted_windowed
remove_drive n
echo "$((${#rows[@]} + 1)) rows passed"
