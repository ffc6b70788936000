# Helpers shared by the viewer's end-to-end tests; sourced after lib.sh.

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

# Waits until the splash window at $1, $2 shows its title, so that it takes
# clicks.
splash_ready() { expect_colour "$(area "$1" "$2" 15 140 372 23)" 000000 "(splash title)"; }
