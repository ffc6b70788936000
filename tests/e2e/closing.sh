#!/usr/bin/env bash
# Quit through the closing dialog: the splash window ignores the pointer
# while it is up, the right button never quits, cancel goes back and leaves
# "cancel ]" red, "[  ok" ends the program with the viewer open. Leaves a
# screenshot in build/screenshots/closing.png.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/viewer-lib.sh"

dir=$(release_copy)
start_splash "$dir"
install=$(splash_area "$x" "$y" Label4)

show_notes
read -r vx vy _ _ _ _ < <(wt wait "=Showing demo.nfo" 20) || fail "no viewer"
vx=$(drag_viewer "$vx" "$vy" 240) # off the splash window's labels

quit() {
  xdotool mousemove $(splash_at "$x" "$y" Label3) click 1 # quit
  read -r cx cy cw ch _ _ < <(wt wait TForm6 20) || fail "no closing dialog"
  [ "$cw $ch" = "253 123" ] || fail "dialog size $cw x $ch"
  ok=$(area "$cx" "$cy" 37 102 26 14)
  cancel=$(area "$cx" "$cy" 175 101 42 14)
}
quit
[ "$cx $cy" = "$(((1024 - 253) / 2)) $(((768 - 123) / 2))" ] || fail "not centred: $cx $cy"
read -r _ _ _ _ enabled _ < <(wt wait TForm1 5)
[ "$enabled" = 0 ] || fail "splash window still enabled"

# The splash window takes no pointer input now.
xdotool mousemove $(splash_at "$x" "$y" Label4)
sleep 0.5
expect_no_colour "$install" C0C0C0 "(install lit up under a disabled window)"

xdotool mousemove $((cx + 120)) $((cy + 20))
expect_colour "$ok" 808080 "(ok at rest)"
xdotool mousemove $((cx + 45)) $((cy + 108))
expect_colour "$ok" C0C0C0 "(ok under the pointer)"
xdotool mousedown 3
expect_colour "$ok" FF0000 "(ok pressed with the right button)"
xdotool mouseup 3
sleep 0.5
wt wait TForm6 2 >/dev/null || fail "the right button ended the program"

xdotool mousemove $((cx + 120)) $((cy + 20))
expect_colour "$ok" 808080 "(ok back at rest)"
mkdir -p "$BIN/../screenshots"
screenshot
"$CONVERT" "$WORK/shot.png" -crop "253x123+$cx+$cy" +repage "$BIN/../screenshots/closing.png"

xdotool mousemove $((cx + 190)) $((cy + 107)) click 1
wt gone TForm6 5 || fail "cancel left the dialog up"
read -r _ _ _ _ enabled _ < <(wt wait TForm1 5)
[ "$enabled" = 1 ] || fail "splash window not enabled after cancel"

quit
expect_colour "$cancel" FF0000 "(cancel still red when shown again)"
xdotool mousemove $((cx + 120)) $((cy + 20))
expect_colour "$cancel" 808080 "(cancel grey once the pointer moves)"

xdotool mousemove $((cx + 45)) $((cy + 108)) click 1
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
wt gone TForm5 2 || fail "the viewer outlived the program"
echo "1 passed, 0 failed"
