"""Checks the chart canvas's scenes against PIL and numpy.

Runs the scene program twice (each into its own folder) and checks:
- every PNG is byte-identical between the two runs;
- MixBitmaps matches PIL's Image.blend within 1 per channel, with the opacity
  255 - round(percent * 2.55) the chart library gives the mixed-in picture;
- the default gradient: yellow top row, white bottom row, rows of one colour each,
  256 distinct row colours whose blue channel only grows from top to bottom;
- a red plain shadow at 50 % over black is within 2 of PIL's half-way blend of the two.
"""
import os
import subprocess
import sys

import numpy
from PIL import Image

program, folder = sys.argv[1], sys.argv[2]
runs = [os.path.join(folder, "run1"), os.path.join(folder, "run2")]
for run in runs:
    os.makedirs(run, exist_ok=True)
    subprocess.run([program, run], check=True)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


names = sorted(n for n in os.listdir(runs[0]) if n.endswith(".png"))
check(len(names) >= 10, "scenes missing: %s" % names)
for name in names:
    with open(os.path.join(runs[0], name), "rb") as a, open(os.path.join(runs[1], name), "rb") as b:
        check(a.read() == b.read(), "%s differs between two runs" % name)


def rgb(name):
    return Image.open(os.path.join(runs[0], name)).convert("RGB")


# Blending.
src, dst = rgb("blend-src.png"), rgb("blend-dst.png")
for percent in (0, 10, 25, 50, 73, 100):
    ours = numpy.asarray(rgb("blend-%d.png" % percent), dtype=int)
    opacity = 255 - round(percent * 2.55)
    theirs = numpy.asarray(Image.blend(dst, src, opacity / 255.0), dtype=int)
    worst = int(numpy.abs(ours - theirs).max())
    check(worst <= 1, "blend at %d%%: off by %d from PIL" % (percent, worst))

# The default gradient.
g = numpy.asarray(rgb("gradient.png"), dtype=int)
check(tuple(g[0, 0]) == (255, 255, 0), "gradient top is %s, not yellow" % (g[0, 0],))
check(tuple(g[-1, 0]) == (255, 255, 255), "gradient bottom is %s, not white" % (g[-1, 0],))
check(all((row == row[0]).all() for row in g), "a gradient row holds more than one colour")
rows = [tuple(row[0]) for row in g]
check(len(set(rows)) == 256, "gradient has %d row colours, not 256" % len(set(rows)))
blue = [r[2] for r in rows]
check(all(a <= b for a, b in zip(blue, blue[1:])), "gradient blue channel is not monotonic")

# Shadow transparency.
shadow = numpy.asarray(rgb("shadow.png"), dtype=int)
black = Image.new("RGB", (1, 1), (0, 0, 0))
red = Image.new("RGB", (1, 1), (255, 0, 0))
expected = numpy.asarray(Image.blend(black, red, 0.5), dtype=int)[0, 0]
for x, y in ((64, 40), (40, 54), (66, 56)):
    worst = int(numpy.abs(shadow[y, x] - expected).max())
    check(worst <= 2, "shadow at (%d,%d) is %s, expected %s" % (x, y, shadow[y, x], expected))
check(tuple(shadow[40, 40]) == (0, 0, 0), "the element's own area was touched")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("chart drawing oracles: %d scenes, all checks passed" % len(names))
