# Helpers for end-to-end tests: the real Installer.exe in a release folder,
# driven with the pointer under the test session's X display and Wine prefix.
# Usage from a test: . lib.sh BIN_DIR DEMO_DIR
set -euo pipefail

BIN=$1
DEMO=$2
# The display and prefix of the end-to-end tests alone (scripts/test), where
# they run one at a time; without them, the current ones.
if [ -n "${INSTALLER_E2E_PREFIX:-}" ]; then
  export WINEPREFIX=$INSTALLER_E2E_PREFIX DISPLAY=$INSTALLER_E2E_DISPLAY
fi
CONVERT=/usr/bin/convert # the ImageMagick one, whatever else is on PATH
WORK=$(mktemp -d)
INSTALLER_PID=
# Seconds to wait for the program's first window or box: a first start on a
# busy machine (Wine under emulation, shared cores) can take most of a minute.
START_WAIT=90

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

wt() { wine "$BIN/wintool.exe" "$@" 2>/dev/null | tr -d '\r'; }

# Tests share one prefix and one screen: each starts with no installer
# process of this prefix and leaves none. Waits (up to 10 s) for those still
# ending, then ends the rest; prints what it had to end. Fails when any
# remains or its windows stay on screen.
no_installer_left() { # $1 "before" or "after" the test
  local i n=0
  for i in $(seq 50); do
    n=$(wt procs Installer.exe)
    [ "$n" = 0 ] && break
    sleep 0.2
  done
  if [ "$n" != 0 ]; then
    echo "NOTE: $n installer process(es) still running $1 the test: ending them" >&2
    wt kill Installer.exe >/dev/null || {
      echo "FAIL: cannot end the installer processes $1 the test" >&2
      return 1
    }
  fi
  wt gone TForm1 5 || {
    echo "FAIL: an installer window stays on screen $1 the test" >&2
    return 1
  }
}

cleanup() { # $1: the test's exit code, when a trap ran commands before
  local rc=${1:-$?}
  if [ -n "$INSTALLER_PID" ] && kill -0 "$INSTALLER_PID" 2>/dev/null; then
    wt close TForm1 >/dev/null || true
  fi
  no_installer_left after || rc=1
  prefix_as_made
  [ -z "$INSTALLER_PID" ] || wait "$INSTALLER_PID" 2>/dev/null || true
  rm -rf "$WORK"
  exit $rc
}
trap cleanup EXIT
no_installer_left before || exit 1

# A copy of the demo release (without the program) to change at will.
release_copy() {
  mkdir -p "$WORK/release"
  cp -r "$DEMO"/. "$WORK/release/"
  echo "$WORK/release"
}

start_installer() { # $1: folder made current
  (cd "$1" && exec wine "$BIN/Installer.exe" >/dev/null 2>&1) &
  INSTALLER_PID=$!
}

wait_exit() { # sets EXIT_CODE to the installer's exit code (bounded wait)
  local i
  for i in $(seq 200); do
    kill -0 "$INSTALLER_PID" 2>/dev/null || break
    sleep 0.1
  done
  EXIT_CODE=0
  wait "$INSTALLER_PID" || EXIT_CODE=$?
  INSTALLER_PID=
}

screenshot() { import -display "$DISPLAY" -window root "$WORK/shot.png"; }

# Number of pixels of colour $2 (like C0C0C0) in screen area $1 (WxH+X+Y).
count_colour() {
  screenshot
  "$CONVERT" "$WORK/shot.png" -crop "$1" +repage txt:- | grep -c -i "#$2" || true
}

# Waits (up to 5 s) until area $1 holds some pixel of colour $2
# (expect_colour) or none (expect_no_colour).
wait_colour() { # $1 area, $2 colour, $3 "some" or "none", $4 what it shows
  local i n
  for i in $(seq 50); do
    n=$(count_colour "$1" "$2")
    case "$3:$n" in
    some:0) ;;
    some:* | none:0) return 0 ;;
    esac
    sleep 0.1
  done
  fail "expected $3 #$2 in $1 ${4:-}"
}
expect_colour() { wait_colour "$1" "$2" some "${3:-}"; }
expect_no_colour() { wait_colour "$1" "$2" none "${3:-}"; }

# Screen rectangle of a client area: $1 window x, $2 window y, then l t w h.
area() { echo "$5x$6+$(($1 + $3))+$(($2 + $4))"; }

# The splash window's labels, from the layout the program is built with.
. "$BIN/splash-layout.sh"
splash_box() { local v="splash_$1"; echo "${!v:?no splash label $1}"; } # l t w h font
# Screen rectangle of splash label $3 in the window at $1, $2.
splash_area() {
  local l t w h
  read -r l t w h _ <<<"$(splash_box "$3")"
  area "$1" "$2" "$l" "$t" "$w" "$h"
}
# Screen point in the middle of splash label $3 in the window at $1, $2.
splash_at() {
  local l t w h
  read -r l t w h _ <<<"$(splash_box "$3")"
  echo "$(($1 + l + w / 2)) $(($2 + t + h / 2))"
}

# An extra Wine drive LETTER mapped to a Linux folder for this test, made
# through Wine's mount manager so the running program sees it; removed when
# the test ends.
EXTRA_DRIVES=()
add_drive() { # $1 letter, $2 folder, $3 kind (hd by default)
  WINEDRIVE="$BIN/winedrive.exe" bash "$(dirname "${BASH_SOURCE[0]}")/../wine-drive.sh" \
    add "$1" "$2" "${3:-hd}" >/dev/null || fail "cannot add drive $1:"
  EXTRA_DRIVES+=("$1")
}
remove_drive() { # $1 letter
  WINEDRIVE="$BIN/winedrive.exe" bash "$(dirname "${BASH_SOURCE[0]}")/../wine-drive.sh" \
    remove "$1" >/dev/null 2>&1 || true
}
remove_drives() {
  local d
  for d in "${EXTRA_DRIVES[@]}"; do remove_drive "$d"; done
}
trap 'rc=$?; remove_drives; cleanup $rc' EXIT

# In the prefix of the end-to-end tests, what a test left (one ended by a
# time-out leaves its drives, and its folders in drive C:) would read as the
# next one's result: each test starts and ends with no drive but c: and z:
# and with drive C: holding only what the prefix was made with.
prefix_as_made() {
  [ -n "${INSTALLER_E2E_PREFIX:-}" ] || return 0
  local link letter name
  for link in "$WINEPREFIX"/dosdevices/[abd-yABD-Y]:; do
    [ -L "$link" ] || continue
    letter=${link##*/}
    remove_drive "${letter%:}"
  done
  [ -f "$WINEPREFIX/.drive-c" ] || return 0
  while IFS= read -r name; do
    grep -qxF -- "$name" "$WINEPREFIX/.drive-c" || rm -rf "${WINEPREFIX:?}/drive_c/$name" || true
  done < <(cd "$WINEPREFIX/drive_c" && ls -A && ls -A "Program Files" | sed 's|^|Program Files/|')
}
prefix_as_made

# Waits (up to 10 s) until a line of the items of a window's list matches
# the regular expression $3. $1 window class, $2 ListBox or ComboBox.
wait_items() {
  local i
  for i in $(seq 50); do
    wt items "$1" "$2" | tail -n +2 | grep -qE "$3" && return 0
    sleep 0.2
  done
  fail "no item matching $3 in $1's $2 ${4:-}: $(wt items "$1" "$2" | tr '\n' '|')"
}

# The set as rar unpacked it ($1) is in the target ($2), with the
# installation's own two files beside it: the uninstaller (the program
# itself) and the record. Options for diff may follow.
expect_installed() {
  local set=$1 target=$2 differences
  shift 2
  differences=$(diff -r -x Uninstall.exe -x Uninstall.txt "$@" "$set" "$target") ||
    fail "$target differs from the set: $(head -5 <<<"$differences" | tr '\n' '|')"
  cmp -s "$BIN/Installer.exe" "$target/Uninstall.exe" || fail "no uninstaller in $target"
  [ "$(head -1 "$target/Uninstall.txt" | tr -d '\r')" = $'installation record\t1' ] ||
    fail "no installation record in $target"
}

# Waits (up to 10 s) for a registry key.
wait_reg() {
  local i
  for i in $(seq 50); do
    wine reg query "$1" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}

# Saves a screenshot of a screen area to build/screenshots/NAME for the README.
save_window_shot() { # $1 x, $2 y, $3 width, $4 height, $5 name
  local out="$BIN/../screenshots"
  mkdir -p "$out"
  sleep 0.5
  import -display "$DISPLAY" -window root -crop "$3x$4+$1+$2" +repage "$out/$5"
}

# In the folder dialog at fx, fy: drops the drive list down, picks drive $1
# by its letter, then sends the keys that follow.
pick_drive() {
  local i
  for i in 1 2 3; do
    xdotool mousemove $((fx + 120)) $((fy + 39)) click 1
    wt wait ComboLBox 3 >/dev/null && break
  done
  wt wait ComboLBox 1 >/dev/null || fail "the drive list did not drop down"
  xdotool key "$@"
}

# The music cannot be opened: one "Application Error" box naming
# EMCIDeviceError, no installer window, exit code 1.
expect_music_failure() {
  local text
  text=$(wt text "=Application Error" "$START_WAIT") || fail "no Application Error box"
  echo "$text" | grep -q '^Exception EMCIDeviceError in module Installer.exe at [0-9A-F]\{8\}\.$' ||
    fail "box text: $text"
  if wt wait TForm1 0.2 >/dev/null; then fail "an installer window is shown"; fi
  wt press '=Application Error' 1 || fail "cannot press OK"
  wait_exit
  [ "$EXIT_CODE" = 1 ] || fail "exit code $EXIT_CODE"
}
