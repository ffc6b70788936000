#!/usr/bin/env bash
# The whole road through the screen: install, try a drive that went away,
# pick a second drive, make a new folder there, ok, extract. The files land
# in the new folder byte for byte as rar packed them, the .reg file is
# imported and the splash window is back and enabled. Screenshots of the
# folder dialogs go to build/screenshots.
. "$(dirname "$0")/lib.sh"

dir=$(release_copy)
target="$WORK/target"
mkdir -p "$target/existing"
add_drive t "$target"
trap 'rc=$?; chattr -i "$target" 2>/dev/null; remove_drives; cleanup $rc' EXIT
add_drive u "$WORK/gone"
mkdir -p "$WORK/gone"
wine reg delete 'HKCU\Software\DemoSoft' /f >/dev/null 2>&1 || true

start_installer "$dir"
read -r x y _ _ _ _ < <(wt wait TForm1 "$START_WAIT") || fail "no splash window"
xdotool mousemove $(splash_at "$x" "$y" Label4) click 1 # install
read -r fx fy w h _ _ < <(wt wait TForm2 20) || fail "no folder dialog after install"
[ "$w $h" = "252 302" ] || fail "folder dialog size $w x $h"
read -r _ _ _ _ enabled _ < <(wt wait TForm1 5)
[ "$enabled" = 0 ] || fail "splash window still enabled under the folder dialog"
save_window_shot "$fx" "$fy" 252 302 folder-dialog.png

# A drive that went away after the list was filled: picking it reports the
# failed change and leaves the directory list where it was.
before=$(wt items TForm2 ListBox | tr '\n' '|')
remove_drive u
sleep 2 # Wine keeps a drive's mapping for a second
pick_drive u # the pick itself runs the change: no Return, the box takes it
text=$(wt text '!Installer' 20) || fail "no error box for a drive that is gone: $(wt items TForm2 ComboBox | tr "\n" "|") list $(wt items TForm2 ListBox | tr "\n" "|")"
echo "$text" | grep -qE '^(Invalid filename|File not found|I/O error [0-9]+)\.$' || fail "box text: $text"
wt press '!Installer' 1
wt gone '!Installer' 5 || fail "box still up"
wt wait TForm2 5 >/dev/null || fail "folder dialog gone after the error"
[ "$(wt items TForm2 ListBox | tr '\n' '|')" = "$before" ] || fail "the list moved"

pick_drive t Return
wait_items TForm2 ListBox '^[Tt]:\\$' "(the list on the new drive's root)"
wt items TForm2 ListBox | grep -qx 'existing' || fail "subfolder of t: not listed"

xdotool mousemove $((fx + 115)) $((fy + 288)) click 1 # makedir
read -r nx ny w h _ _ < <(wt wait TForm3 20) || fail "no new folder dialog"
[ "$w $h" = "252 122" ] || fail "new folder dialog size $w x $h"
wt gone TForm2 5 || fail "folder dialog still shown under the new folder dialog"
save_window_shot "$nx" "$ny" 252 122 new-folder-dialog.png
# A parent that cannot be written: the failed change is reported and the
# dialog stays with the name; once writable, the same ok goes through.
chattr +i "$target"
xdotool mousemove $((nx + 45)) $((ny + 107)) click 1 # [  ok with the proposed name
text=$(wt text '!Installer' 20) || fail "no error box for a read-only parent"
chattr -i "$target"
echo "$text" | grep -qE '^(Invalid filename|File not found|File access denied|I/O error [0-9]+)\.$' || fail "box text: $text"
wt press '!Installer' 1
wt gone '!Installer' 5 || fail "box still up"
wt wait TForm3 5 >/dev/null || fail "new folder dialog gone after the error"
wt gone TForm2 1 || fail "folder dialog shown after the error"
xdotool mousemove $((nx + 45)) $((ny + 107)) click 1
wt wait TForm2 20 >/dev/null || fail "folder dialog not back"
[ -d "$target/DemoApp" ] || fail "the new folder was not made"
wait_items TForm2 ListBox '^DemoApp$' "(the list in the new folder)"

xdotool mousemove $((fx + 45)) $((fy + 288)) click 1 # [ ok
read -r ex ey _ _ _ _ < <(wt wait TForm4 20) || fail "no extraction dialog"
wt gone TForm2 5 || fail "folder dialog still shown"
xdotool mousemove $((ex + 50)) $((ey + 107)) click 1 # [ extract
wt gone TForm4 120 || fail "extraction did not end"
read -r _ _ _ _ enabled _ < <(wt wait TForm1 10)
[ "$enabled" = 1 ] || fail "splash window not enabled after the extraction"

mkdir "$WORK/expected"
(cd "$WORK/expected" && unrar x -idq "$dir/demo.part1.rar") || fail "unrar on Linux failed"
expect_installed "$WORK/expected" "$target/DemoApp"
[ "$(find "$target" -mindepth 1 -maxdepth 1 | sort | tr '\n' ' ')" = "$target/DemoApp $target/existing " ] ||
  fail "something was written beside the new folder"
wait_reg 'HKCU\Software\DemoSoft\DemoApp' || fail "the .reg file was not imported"

wt close TForm1 >/dev/null
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
