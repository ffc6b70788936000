# Helpers shared by the viewer's end-to-end tests; sourced after lib.sh.

# The pointer leaves the screen's middle at the end, where the next test's
# splash window would otherwise find it over a label.
trap 'rc=$?; xdotool mousemove 0 0 2>/dev/null || true; cleanup $rc' EXIT

# Drags the viewer at outer x $1, y $2 by its title bar $3 pixels to the
# right, as a user uncovering the splash window's labels would; prints the
# new left edge.
drag_viewer() {
  xdotool mousemove $(($1 + 200)) $(($2 + 8)) mousedown 1
  xdotool mousemove $(($1 + 200 + $3 / 2)) $(($2 + 8))
  xdotool mousemove $(($1 + 200 + $3)) $(($2 + 8))
  xdotool mouseup 1
  local i nx
  for i in $(seq 50); do
    read -r nx _ < <(wt wait TForm5 5)
    [ "$nx" != "$1" ] && break
    sleep 0.1
  done
  echo "$nx"
}

# Starts the installer in release folder $1 and waits until its splash
# window shows its title, so that it takes clicks; sets x and y to its place.
start_splash() {
  start_installer "$1"
  read -r x y _ _ _ _ < <(wt wait TForm1 "$START_WAIT") || fail "no splash window"
  expect_colour "$(splash_area "$x" "$y" Label1)" 000000 "(splash title)"
}

# Clicks on the splash window's notes and description file labels.
click_notes() { xdotool mousemove $(splash_at "$x" "$y" Label5) click 1; }
click_diz() { xdotool mousemove $(splash_at "$x" "$y" Label6) click 1; }

# Clicks the notes label until the viewer shows it (a click while the
# display is busy starting the program can be lost; another one only
# loads the file again), at most three times.
show_notes() {
  local i
  for i in 1 2 3; do
    click_notes
    wt wait "=Showing demo.nfo" 10 >/dev/null && return 0
  done
  fail "no viewer for demo.nfo"
}
