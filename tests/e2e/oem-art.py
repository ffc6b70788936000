#!/usr/bin/python3
"""Checks a screenshot of the viewer showing the demo's notes file.

Its first line is a row of lower half blocks (0xDC), its second a frame top
of double lines (0xCD). Drawn with the OEM code page's glyphs they give a
band of rows that are black from one end of the row to the other, then two
single black rows with a gap between them. Drawn as ANSI letters they give
no long black runs at all.

Usage: oem-art.py SHOT.png X Y WIDTH HEIGHT   (the viewer's outer rectangle)
"""

import subprocess
import sys

shot, x, y, w, h = sys.argv[1], *map(int, sys.argv[2:6])
# Inside the frame, so the window's border lines never count.
x, w = x + 6, w - 12
raw = subprocess.run(["/usr/bin/convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                      "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout


def longest_black_run(row):
    best = run = 0
    start = best_start = 0
    for i in range(w):
        if raw[(row * w + i) * 3:(row * w + i) * 3 + 3] == b"\0\0\0":
            if run == 0:
                start = i
            run += 1
            if run > best:
                best, best_start = run, start
        else:
            run = 0
    # A run that touches the crop's edges is a frame line, not text.
    if best_start == 0 or best_start + best >= w:
        return 0
    return best


# 72 cells of any sensible fixed-pitch face are more than 300 pixels.
long_rows = [r for r in range(h) if longest_black_run(r) >= 300]
if not long_rows:
    sys.exit("no long black rows: the art is not drawn with the OEM glyphs")
band = [long_rows[0]]
for r in long_rows[1:]:
    if r != band[-1] + 1:
        break
    band.append(r)
if len(band) < 4:
    sys.exit(f"the half blocks give only {len(band)} solid rows")
rest = [r for r in long_rows if r > band[-1]]
lines = [r for r in rest if r - band[-1] < 2 * len(band) + 8]
if len(lines) != 2 or lines[1] - lines[0] < 2:
    sys.exit(f"the double line is not two unbroken rows: rows {lines}")
print(f"blocks: {len(band)} solid rows from {band[0]}; double line at rows {lines}")
