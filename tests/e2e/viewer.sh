#!/usr/bin/env bash
# The two text files in the one viewer: placement, captions, the OEM art
# drawn as blocks and lines, the close box. Leaves a screenshot of the
# notes file in build/screenshots/viewer.png.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/viewer-lib.sh"

dir=$(release_copy)
start_splash "$dir"

show_notes
read -r vx vy vw vh _ _ < <(wt wait "=Showing demo.nfo" 20) || fail "no viewer for demo.nfo"
[ "$vy" = 17 ] || fail "first showing at top $vy"
[ "$vh" = $((768 - 35)) ] || fail "height $vh"
[ "$vx" = $(((1024 - vw) / 2)) ] || fail "not centred: $vx"
# Read a few times: one reading can miss on a busy display.
for i in 1 2 3; do
  read -r _ _ _ _ enabled _ < <(wt wait TForm1 5)
  [ "$enabled" = 1 ] && break
  sleep 1
done
[ "$enabled" = 1 ] || fail "the viewer disabled the splash window (enabled: '$enabled')"

sleep 0.5
screenshot
python3 "$(dirname "$0")/oem-art.py" "$WORK/shot.png" "$vx" "$vy" "$vw" 200 || fail "OEM art"
mkdir -p "$BIN/../screenshots"
"$CONVERT" "$WORK/shot.png" -crop "${vw}x420+$vx+$vy" +repage "$BIN/../screenshots/viewer.png"

# Dragged off the splash window's labels, the viewer shows the description
# file in the same window, now at the top edge with the left edge kept.
vx=$(drag_viewer "$vx" "$vy" 240)
[ "$vx" -ge 410 ] || fail "cannot drag the viewer: left edge $vx"
click_diz
read -r dx dy _ _ _ _ < <(wt wait "=Showing file_id.diz" 20) || fail "no viewer for file_id.diz"
[ "$dx $dy" = "$vx 0" ] || fail "second showing at $dx $dy"
wt gone "=Showing demo.nfo" 1 || fail "a second viewer"

# The close box only hides it; the notes label shows it again.
wt close TForm5 || fail "cannot close the viewer"
wt gone TForm5 5 || fail "viewer still shown"
read -r _ _ _ _ _ visible < <(wt wait TForm1 5) || fail "the splash window went with it"
show_notes

wt close TForm1 >/dev/null
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
