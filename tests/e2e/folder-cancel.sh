#!/usr/bin/env bash
# A seventh line that is no number: "install" reports it and leaves the
# splash window enabled with no dialog; the next "install" brings the folder
# dialog. Then cancel from each dialog leads back where it should.
. "$(dirname "$0")/lib.sh"

dir=$(release_copy)
sed -i '7s/.*/abc\r/' "$dir/install.ini"

start_installer "$dir"
read -r x y _ _ _ _ < <(wt wait TForm1 "$START_WAIT") || fail "no splash window"
click_install() { xdotool mousemove $(splash_at "$x" "$y" Label4) click 1; }
splash_enabled() { # $1 expected 0 or 1
  local i e
  for i in $(seq 50); do
    read -r _ _ _ _ e _ < <(wt wait TForm1 5)
    [ "$e" = "$1" ] && return 0
    sleep 0.1
  done
  fail "splash window enabled=$e, expected $1"
}

click_install
text=$(wt text '!Installer' 20) || fail "no error box"
echo "$text" | grep -qxF "'abc' is not a valid integer value." || fail "box text: $text"
wt press '!Installer' 1
wt gone '!Installer' 5 || fail "box still up"
splash_enabled 1
wt gone TForm2 2 || fail "folder dialog on screen after the failure"

click_install
read -r fx fy _ _ _ _ < <(wt wait TForm2 20) || fail "no folder dialog on the second install"
splash_enabled 0

xdotool mousemove $((fx + 115)) $((fy + 288)) click 1 # makedir
read -r nx ny _ _ _ _ < <(wt wait TForm3 20) || fail "no new folder dialog"
xdotool mousemove $((nx + 190)) $((ny + 107)) click 1 # cancel ]
wt wait TForm2 20 >/dev/null || fail "cancel in the new folder dialog: no folder dialog"
wt gone TForm3 5 || fail "new folder dialog still shown"
splash_enabled 0

xdotool mousemove $((fx + 185)) $((fy + 288)) click 1 # cancel ]
wt gone TForm2 5 || fail "cancel: folder dialog still shown"
splash_enabled 1

click_install
wt wait TForm2 20 >/dev/null || fail "no folder dialog on the third install"
xdotool mousemove $((fx + 45)) $((fy + 288)) click 1 # [ ok
read -r ex ey _ _ _ _ < <(wt wait TForm4 20) || fail "no extraction dialog"
xdotool mousemove $((ex + 185)) $((ey + 107)) click 1 # cancel ]
wt gone TForm4 5 || fail "extraction dialog still shown"
splash_enabled 1
[ -z "$(wt text '!Installer' 0.5)" ] || fail "an unexpected box"

wt close TForm1 >/dev/null
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
