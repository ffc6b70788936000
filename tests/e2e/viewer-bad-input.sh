#!/usr/bin/env bash
# Text files the viewer must survive: binary bytes, LF-only line ends, a
# 10 MB line, a file deleted while shown, an unreadable file. Never a crash,
# a hang or a cut.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/viewer-lib.sh"

dir=$(release_copy)
head -c 20000 /dev/urandom >"$dir/demo.nfo" # zero bytes, control characters
printf 'one\ntwo\nthree\n' >"$dir/file_id.diz"
start_splash "$dir"

if [ "$(id -u)" != 0 ]; then # root reads whatever the mode says
  chmod 000 "$dir/demo.nfo"
  click_notes
  text=$(wt text '#32770' 20) || fail "no box for an unreadable file"
  echo "$text" | grep -qx 'File access denied\.' || fail "box text: $text"
  wt press '#32770' 1
  wt gone TForm5 2 || fail "viewer shown after the error"
  chmod 644 "$dir/demo.nfo"
fi

show_notes
read -r vx vy vw _ _ _ < <(wt wait "=Showing demo.nfo" 20) || fail "no viewer for a binary file"
vx=$(drag_viewer "$vx" "$vy" 240) # off the splash window's labels
click_diz
wt wait "=Showing file_id.diz" 20 >/dev/null || fail "no viewer for LF-only lines"

# One line of 10 MB: shown across the whole width (the short lines before
# never reach the right half), and the program still answers.
head -c 10000000 /dev/zero | tr '\0' 'x' >"$dir/file_id.diz"
click_diz
right=$(area "$vx" 0 330 15 300 40)
for i in $(seq 60); do
  [ "$(count_colour "$right" 000000)" != 0 ] && break
  sleep 0.5
done
expect_colour "$right" 000000 "(the long line across the viewer)"
read -r _ _ _ _ enabled _ < <(wt wait TForm1 5) || fail "no answer after a 10 MB line"
# Right of the splash window, which a click on its label raises.
memo=$(area "$vx" 0 330 15 270 200)

# Deleted while shown: the viewer stays, empty.
rm "$dir/file_id.diz"
click_diz
sleep 1
wt wait TForm5 5 >/dev/null || fail "viewer hidden by a missing file"
expect_no_colour "$memo" 000000 "(an empty viewer)"
if wt wait '#32770' 0.5 >/dev/null; then fail "a box for a missing file"; fi

wt close TForm1 >/dev/null
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
