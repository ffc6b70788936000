# The shared steps of the failure table (failtable.sh); sourced after lib.sh.
# A row prepares $REL (a copy of the demo release) and $DISK (drive t:),
# walks the road with road_to_extraction, then states the outcome.

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REL=$(release_copy)
DISK=$WORK/disk             # drive t:
TARGET=$DISK/DemoApp        # the folder the new folder dialog proposes
EXPECTED=$WORK/expected     # what rar packed, unpacked on the Linux side
SCRATCH=$WORK/scratch
REG_KEY='HKCU\Software\DemoSoft\DemoApp'
mkdir -p "$DISK" "$SCRATCH"
mapfile -t INI < <(tr -d '\r' <"$DEMO/install.ini") # the demo's nine lines
wine reg delete 'HKCU\Software\DemoSoft' /f >/dev/null 2>&1 || true

# Undone when the row ends, whatever happens: mounts, immutable flags.
UNDO=()
undo_later() { UNDO=("$*" "${UNDO[@]}"); }
undo_all() {
  local step
  for step in "${UNDO[@]}"; do eval "$step" >/dev/null 2>&1 || true; done
}
trap 'rc=$?; undo_all; remove_drives; cleanup $rc' EXIT

packed() { # the set as rar packed it, from the untouched demo release
  mkdir -p "$EXPECTED"
  (cd "$EXPECTED" && unrar x -idq -y "$DEMO/demo.part1.rar") || fail "unrar on Linux failed"
}

write_ini() { # the lines given, each ended by CR LF
  printf '%s\r\n' "$@" >"$REL/install.ini"
}

# Windows form of a Linux path, as the program spells it (Z:\...).
winpath() { wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# Everything the program could touch outside the target: the release folder,
# the rest of drive t:, and the test's own folder.
outside() {
  (cd "$WORK" && find . -path ./disk/DemoApp -prune -o -path ./scratch -prune \
    -o -path ./expected -prune -o -name shot.png -o -type d -printf '%p/ %m\n' \
    -o -printf '%p %s %m\n' | sort &&
    find release -type f -exec md5sum {} + | sort)
}
OUTSIDE_BEFORE=
note_outside() { OUTSIDE_BEFORE=$(outside); }
expect_outside_unchanged() {
  local now
  now=$(outside)
  [ "$now" = "$OUTSIDE_BEFORE" ] ||
    fail "written outside the target: $(diff <(echo "$OUTSIDE_BEFORE") <(echo "$now") | tr '\n' '|')"
}

expect_state() { # $1 like "TForm1=1 TForm2=- ..." (1 enabled, 0 disabled, - not shown)
  local i now
  for i in $(seq 25); do
    now=$(wt state)
    [ "$now" = "$1" ] && return 0
    sleep 0.2
  done
  fail "windows: $now, expected $1 ${2:-}"
}
SPLASH_ONLY="TForm1=1 TForm2=- TForm3=- TForm4=- TForm5=- TForm6=-"
FAILED_RUN="TForm1=0 TForm2=- TForm3=- TForm4=1 TForm5=- TForm6=-"

# Waits (up to $3 s) until the label at screen x, y of the size and font in
# $2 ("W H PX FLAGS" as wintool textmask takes them) shows text $4.
wait_label_text() { # $1 x, $2 y, $3 "W H PX FLAGS", $4 text, $5 seconds
  local i diff
  # shellcheck disable=SC2086
  wt textmask $3 "$4" >"$SCRATCH/mask" || fail "cannot draw the text"
  for i in $(seq $(($5 * 2))); do
    screenshot
    diff=$(python3 "$HERE/screen-text.py" "$WORK/shot.png" "$1" "$2" <"$SCRATCH/mask") && return 0
    sleep 0.5
  done
  fail "the label at $1,$2 does not show \"$4\":
$diff"
}
# Splash label $1 (alignment flags $2) shows text $3 within $4 seconds.
wait_splash_text() {
  local l t w h px
  read -r l t w h px <<<"$(splash_box "$1")"
  wait_label_text $((x + l)) $((y + t)) "$w $h $px $2" "$3" "$4"
}
expect_status() { wait_label_text $((ex + 5)) $((ey + 39)) "236 20 11 cw" "$1" "${2:-120}"; }

pixels() { "$CONVERT" "$1" -crop "$2" +repage txt:- | tail -n +2 | awk '{print $3}'; } # $1 image, $2 area

box_text() { # $1 caption: waits for the box, prints its text line (not the buttons)
  wt text "!$1" "$START_WAIT" | grep -vxE 'OK|Cancel' || fail "no box \"$1\""
}
expect_box() { # $1 caption, $2 text: the box shows it, then OK
  local text
  text=$(box_text "$1")
  [ "$text" = "$2" ] || fail "box \"$1\" says \"$text\", expected \"$2\""
  wt press "!$1" 1 || fail "cannot press OK"
  wt gone "!$1" 5 || fail "box \"$1\" still up"
}

start_splash() { # waits until the splash window takes clicks; sets x, y
  start_installer "$REL"
  read -r x y _ _ _ _ < <(wt wait TForm1 "$START_WAIT") || fail "no splash window"
  expect_colour "$(splash_area "$x" "$y" Label1)" 000000 "(splash title)"
}
click_install() { xdotool mousemove $(splash_at "$x" "$y" Label4) click 1; }

# The target holds two files of the user's before every run: one with the
# name of an entry of the demo set and one of its own. A failed run leaves
# the folder as it was (times included), a complete one adds the set.
seed_target() {
  [ -e "$TARGET/mine.txt" ] && return 0
  mkdir -p "$TARGET"
  printf 'my own readme\r\n' >"$TARGET/readme.txt"
  printf 'mine\r\n' >"$TARGET/mine.txt"
  touch -d '2003-03-03 03:03:03' "$TARGET/readme.txt" "$TARGET/mine.txt" "$TARGET"
}
target_state() { # every entry with its kind, size and time, and every file's bytes
  (cd "$TARGET" 2>/dev/null && find . -printf '%p %y %s %T@\n' | sort &&
    find . -type f -exec md5sum {} + | sort)
}
TARGET_BEFORE=

# Drive t: on $DISK; splash, install, t:, the new folder dialog's proposed
# name, [ ok: the extraction dialog at ex, ey, ready. $1 "keep" leaves the
# folder dialog up instead (fx, fy).
road_to_extraction() {
  seed_target
  TARGET_BEFORE=$(target_state)
  add_drive t "$DISK"
  [ -n "$OUTSIDE_BEFORE" ] || note_outside
  start_splash
  # A click while the program is still busy drawing can be lost: again, at
  # most three times (a second click on install only shows the dialog).
  local i
  for i in 1 2 3; do
    click_install
    read -r fx fy _ _ _ _ < <(wt wait TForm2 20) && break
  done
  [ -n "${fx:-}" ] || fail "no folder dialog; windows $(wt state); box: $(wt text '#32770' 1 | tr '\n' '|')"
  pick_drive t Return
  wait_items TForm2 ListBox '^[Tt]:\\$' "(the list on t:)"
  xdotool mousemove $((fx + 115)) $((fy + 288)) click 1 # makedir
  read -r nx ny _ _ _ _ < <(wt wait TForm3 20) || fail "no new folder dialog"
  xdotool mousemove $((nx + 45)) $((ny + 107)) click 1 # [  ok
  wt wait TForm2 20 >/dev/null || fail "folder dialog not back"
  [ "${1:-}" = keep ] && return 0
  xdotool mousemove $((fx + 45)) $((fy + 288)) click 1 # [ ok
  read -r ex ey _ _ _ _ < <(wt wait TForm4 20) || fail "no extraction dialog"
  expect_status "- press [extract] button when ready -" 10
}
click_extract() { xdotool mousemove $((ex + 50)) $((ey + 107)) click 1; }
click_cancel() { xdotool mousemove $((ex + 190)) $((ey + 107)) click 1; }

# The set walked to its end: dialog hidden, splash enabled, every file as
# rar packed it beside the user's own, nothing else written.
expect_done() {
  wt gone TForm4 300 || fail "the extraction did not end"
  expect_state "$SPLASH_ONLY" "(after the run)"
  expect_installed "$EXPECTED" "$TARGET" -x mine.txt
  grep -F ./mine.txt <<<"$TARGET_BEFORE" | diff - <(target_state | grep -F ./mine.txt) >/dev/null ||
    fail "the user's own file changed"
  expect_outside_unchanged
}

# A failed run: the text stays in the dialog, the splash window disabled;
# cancel leads back. The target is exactly as it was: the user's files with
# their bytes and times, nothing of the set, no staging folder.
expect_failed() { # $1 status text
  expect_status "$1"
  expect_state "$FAILED_RUN" "(after the failure)"
  click_cancel
  expect_state "$SPLASH_ONLY" "(after cancel)"
  local now
  now=$(target_state)
  [ "$now" = "$TARGET_BEFORE" ] ||
    fail "the target is not as it was: $(diff <(echo "$TARGET_BEFORE") <(echo "$now") | tr '\n' '|')"
  expect_outside_unchanged
}

expect_reg() { # yes or no: was the .reg file imported?
  if [ "$1" = yes ]; then
    wait_reg "$REG_KEY" || fail "the .reg file was not imported"
  else
    sleep 2 # the editor would have been started by now
    ! wine reg query "$REG_KEY" >/dev/null 2>&1 || fail "the .reg file was imported"
  fi
}

quit_installer() { # closes the splash window: the program ends with 0
  wt close TForm1 >/dev/null || fail "no splash window to close"
  wait_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
}

# A normal run into $TARGET: done, imported as $1 says, exit code 0.
install_expecting_done() { # $1 yes or no: the .reg import
  road_to_extraction
  click_extract
  expect_done
  expect_reg "$1"
  quit_installer
}
install_expecting_failure() { # $1 status text
  road_to_extraction
  click_extract
  expect_failed "$1"
  expect_reg no
  quit_installer
}
