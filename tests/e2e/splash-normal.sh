#!/usr/bin/env bash
# The demo release starts: the splash window centred with its skin and
# texts; hover, press and background reset of the command labels.
. "$(dirname "$0")/lib.sh"

dir=$(release_copy)
start_installer "$dir"
read -r x y w h enabled visible < <(wt wait TForm1 "$START_WAIT") || fail "no splash window"
[ "$w $h" = "402 422" ] || fail "size $w x $h"
[ "$x $y" = "$(((1024 - 402) / 2)) $(((768 - 422) / 2))" ] || fail "not centred: $x $y"

install=$(splash_area "$x" "$y" Label4)
quit=$(splash_area "$x" "$y" Label3)
status=$(splash_area "$x" "$y" Label12)
title=$(splash_area "$x" "$y" Label1)

expect_colour "$title" 000000 "(title text)"
expect_colour "$install" FFFFFF "(install at rest)"
expect_no_colour "$status" 000000 "(empty status line)"

xdotool mousemove $(splash_at "$x" "$y" Label4)
expect_colour "$install" C0C0C0 "(install under the pointer)"
expect_colour "$status" 000000 "(status hint)"

xdotool mousedown 3
expect_colour "$install" FF0000 "(install pressed with the right button)"
xdotool mouseup 3
read -r _ _ _ _ enabled _ < <(wt wait TForm1 5)
[ "$enabled" = 1 ] || fail "a right click ran a command"

xdotool mousemove $(splash_at "$x" "$y" Label3)
expect_colour "$quit" C0C0C0 "(quit under the pointer)"
xdotool mousemove $((x + 250)) $((y + 250))
expect_colour "$install" FFFFFF "(install back at rest)"
expect_colour "$quit" FFFFFF "(quit back at rest)"
expect_no_colour "$status" 000000 "(status cleared)"

wt close TForm1 >/dev/null || fail "cannot close"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
