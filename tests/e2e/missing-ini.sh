#!/usr/bin/env bash
# Without install.ini: one box "File not found." captioned "Installer",
# then the splash window with its design captions.
. "$(dirname "$0")/lib.sh"

dir=$(release_copy)
rm "$dir/install.ini"
start_installer "$dir"
text=$(wt text =Installer "$START_WAIT") || fail "no box"
echo "$text" | grep -qx 'File not found\.' || fail "box text: $text"
wt press =Installer 1 || fail "cannot press OK"
read -r x y _ _ enabled _ < <(wt wait TForm1 20) || fail "no splash window after the box"
[ "$enabled" = 1 ] || fail "splash window left disabled"
expect_colour "$(splash_area "$x" "$y" Label1)" 000000 "(design title)"
sleep 0.5
if wt wait =Installer 0.3 >/dev/null && wt text =Installer 0.3 | grep -q 'not found'; then
  fail "a second box"
fi
wt close TForm1 >/dev/null
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
