#!/usr/bin/python3
"""Checks that a label on screen shows a given text, pixel for pixel.

Reads on stdin the ink mask that `wintool textmask` draws for the text (rows
of # and .) and compares it with the pure black pixels of the screenshot in
the label's rectangle. Prints the differing rows on a mismatch.

Usage: screen-text.py SHOT.png X Y   (the label's top-left corner on screen)
"""

import subprocess
import sys

shot, x, y = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
mask = [row for row in sys.stdin.read().split("\n") if row]
h, w = len(mask), len(mask[0])
raw = subprocess.run(["/usr/bin/convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                      "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
screen = ["".join("#" if raw[3 * (r * w + c):3 * (r * w + c) + 3] == b"\0\0\0" else "."
                  for c in range(w)) for r in range(h)]
if screen != mask:
    for r in range(h):
        if screen[r] != mask[r]:
            print(f"row {r}: want {mask[r]}\n        got  {screen[r]}")
    sys.exit(1)
