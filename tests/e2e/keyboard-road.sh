#!/usr/bin/env bash
# The whole road by keyboard alone, the pointer parked outside every window:
# install, a drive picked from the list, a new folder typed, ok, extract,
# quit. Escape steps back from each dialog on the way, and each dialog gives
# the focus back to the command that opened it. The files land byte
# for byte as rar packed them, the .reg file is imported, the program ends
# with exit code 0. On the way a screen reader's view of the splash window
# and the folder dialog is read through the platform's accessibility
# interface, and its default action on "install" opens the folder dialog.
. "$(dirname "$0")/lib.sh"

dir=$(release_copy)
target="$WORK/target"
mkdir -p "$target"
add_drive t "$target"
wine reg delete 'HKCU\Software\DemoSoft' /f >/dev/null 2>&1 || true

keys() { xdotool key --delay 150 "$@"; }
state_is() { # waits (up to 20 s) for `wintool state` to print $1
  local i
  for i in $(seq 100); do
    [ "$(wt state)" = "$1" ] && return 0
    sleep 0.2
  done
  fail "windows $(wt state), expected $1 ${2:-}"
}
# Accessible tree rows without their locations: role|name|states.
tree() { wt tree "$1" | cut -d'|' -f1-3 | tr '\n' ';'; }

xdotool mousemove 0 0
start_installer "$dir"
wt wait TForm1 "$START_WAIT" >/dev/null || fail "no splash window"
state_is "TForm1=1 TForm2=- TForm3=- TForm4=- TForm5=- TForm6=-"

line() { sed -n "$1p" "$dir/install.ini" | tr -d '\r'; }
expected="client|$(line 1)|;text|$(line 1)|r;text|$(line 2)|r;text|$(line 9)|r;text||r;"
expected+="button|install|f*;button|$(line 3)|f;button|$(line 4)|f;button|quit|f;"
[ "$(tree TForm1)" = "$expected" ] || fail "splash window's tree: $(tree TForm1)"
# The commands are where they are drawn (client coordinates).
wt tree TForm1 | grep -qx 'button|quit|f|40 395 [0-9]* 1[0-9]' || fail "quit's location: $(wt tree TForm1)"

# A screen reader's default action on install is its click.
wt act TForm1 install || fail "no default action on install"
state_is "TForm1=0 TForm2=1 TForm3=- TForm4=- TForm5=- TForm6=-" "after the default action"
# The lists answer for themselves; the drive list has the keyboard.
folder='^client\|Select a directory\.\.\.\|;text\|Select a directory\.\.\.\|r;'
folder+='text\|space free on this disk :\|r;text\|[0-9]+ Mb\.\|r;text\|required for installation :\|r;'
folder+='text\|4 Mb\.\|r;client\|[^|]*\|f\*;client\|[^|]*\|f;button\|ok\|f;button\|makedir\|f;button\|cancel\|f;$'
tree TForm2 | grep -qE "$folder" || fail "folder dialog's tree: $(tree TForm2)"

keys Escape
state_is "TForm1=1 TForm2=- TForm3=- TForm4=- TForm5=- TForm6=-" "after Escape in the folder dialog"
keys Return # install has the keyboard again
state_is "TForm1=0 TForm2=1 TForm3=- TForm4=- TForm5=- TForm6=-" "after Enter on install"

# The drive list has the keyboard: drop it down, pick t:.
keys F4 t Return
wait_items TForm2 ListBox '^[Tt]:\\$' "(the list on the new drive's root)"
keys Tab Tab Right Return # makedir
state_is "TForm1=0 TForm2=- TForm3=1 TForm4=- TForm5=- TForm6=-" "after makedir"
keys Escape
state_is "TForm1=0 TForm2=1 TForm3=- TForm4=- TForm5=- TForm6=-" "after Escape in the new folder dialog"
keys Return # the focus came back to makedir
state_is "TForm1=0 TForm2=- TForm3=1 TForm4=- TForm5=- TForm6=-" "after makedir again"
keys Home shift+End
xdotool type --delay 150 KbdApp
keys Return # Enter in the name box is ok
state_is "TForm1=0 TForm2=1 TForm3=- TForm4=- TForm5=- TForm6=-" "after the new folder"
[ -d "$target/KbdApp" ] || fail "the typed folder was not made: $(ls "$target")"
wait_items TForm2 ListBox '^KbdApp$' "(the list in the new folder)"
tree TForm2 | grep -q ';button|makedir|f\*;' || fail "makedir lost the focus: $(tree TForm2)"

keys shift+Tab Return # [ ok
state_is "TForm1=0 TForm2=- TForm3=- TForm4=1 TForm5=- TForm6=-" "after ok"
keys space # [ extract
wt gone TForm4 120 || fail "extraction did not end"
state_is "TForm1=1 TForm2=- TForm3=- TForm4=- TForm5=- TForm6=-" "after the extraction"

mkdir "$WORK/expected"
(cd "$WORK/expected" && unrar x -idq "$dir/demo.part1.rar") || fail "unrar on Linux failed"
expect_installed "$WORK/expected" "$target/KbdApp"
wait_reg 'HKCU\Software\DemoSoft\DemoApp' || fail "the .reg file was not imported"

keys Up Return # quit
state_is "TForm1=0 TForm2=- TForm3=- TForm4=- TForm5=- TForm6=1" "after quit"
keys Escape
state_is "TForm1=1 TForm2=- TForm3=- TForm4=- TForm5=- TForm6=-" "after Escape in the closing dialog"
keys Return Return # quit again, then [  ok
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"

# Taken back by keyboard: the uninstaller beside the record asks in the
# platform's standard box, Enter is its Yes; the result box says what was
# done and Enter closes it. The folder made with makedir stays, empty, as
# the user made it; the settings the .reg file made are gone.
box_says() { # waits (up to 20 s) for the box "Uninstall" to show the line $1
  local i
  for i in $(seq 100); do
    wt text '!Uninstall' 1 | grep -qxF -- "$1" && return 0
    sleep 0.2
  done
  fail "the box does not say \"$1\": $(wt text '!Uninstall' 1 | tr '\n' '|')"
}
(cd "$WORK" && exec wine 'T:\KbdApp\Uninstall.exe' >/dev/null 2>&1) &
INSTALLER_PID=$!
box_says "Remove $(line 1) from T:\KbdApp?"
keys Return
box_says "$(line 1) was removed from T:\KbdApp."
keys Return
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "the uninstaller's exit code $EXIT_CODE"
for i in $(seq 50); do [ -z "$(ls -A "$target/KbdApp")" ] && break; sleep 0.2; done
[ -z "$(ls -A "$target/KbdApp")" ] || fail "left in the folder: $(ls -A "$target/KbdApp")"
! wine reg query 'HKCU\Software\DemoSoft' >/dev/null 2>&1 || fail "the .reg file's keys stay"
echo "1 passed, 0 failed"
