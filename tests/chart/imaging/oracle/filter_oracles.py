"""Checks the chart's image filters against PIL and numpy.

Exact: invert (ImageOps.invert), flip (ImageOps.flip), reverse (ImageOps.mirror), rotation by
90 degrees clockwise (transpose ROTATE_270), gamma 0.7 (point with the same table).
Within 1: grey by eye against convert("L") (ITU-601), the blur's interior against a 3 x 3 mean
Kernel, and so the heavy-centred blur, sharpen, emboss and soften against PIL's Kernel with the
same weights (PIL lays its first kernel row on the row below, so the rows are given upside
down), mosaic against numpy block means. Within 2: luminance +20 against colorsys's HLS in whole
steps of the 0..240 scale. Loosely: resampling against PIL's Lanczos (mean error below 3 levels on a smooth
picture; PIL maps pixel centres, ours corners).
"""
import colorsys
import os
import subprocess
import sys

import numpy
from PIL import Image, ImageFilter, ImageOps

program, folder = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)
subprocess.run([program, folder], check=True)
failures = []


def check(ok, message):
    if not ok:
        failures.append(message)


def load(name):
    return Image.open(os.path.join(folder, name + ".bmp")).convert("RGB")


def arr(im):
    return numpy.asarray(im, dtype=int)


src = load("src")
a = arr(src)
check((arr(load("invert")) == arr(ImageOps.invert(src))).all(), "invert differs from PIL")
check((arr(load("flip")) == arr(ImageOps.flip(src))).all(), "flip differs from PIL")
check((arr(load("reverse")) == arr(ImageOps.mirror(src))).all(), "reverse differs from PIL")
check((arr(load("rotate90")) == arr(src.transpose(Image.Transpose.ROTATE_270))).all(),
      "rotation by 90 differs from PIL")
table = [0] + [round(255 * (i / 255) ** (1 / 0.7)) for i in range(1, 256)]
check((arr(load("gamma")) == arr(src.point(table * 3))).all(), "gamma differs from PIL")

grey = arr(load("grey"))
want = arr(src.convert("L"))
worst = int(numpy.abs(grey[:, :, 0] - want).max())
check(worst <= 1 and (grey[:, :, 0] == grey[:, :, 1]).all(), "grey off by %d" % worst)

blur = arr(load("blur"))
mean = arr(src.filter(ImageFilter.Kernel((3, 3), [1] * 9, 9)))
worst = int(numpy.abs(blur[1:-1, 1:-1] - mean[1:-1, 1:-1]).max())
check(worst <= 1, "blur interior off by %d from PIL's mean kernel" % worst)
check((blur[0] == a[0]).all() and (blur[:, 0] == a[:, 0]).all(), "blur changed the edges")

kernels = {
    "blur-heavy": [1, 1, 1, 1, 20, 1, 1, 1, 1],
    "sharpen": [-0.125] * 4 + [2] + [-0.125] * 4,
    "emboss": [0, -1, 0, -1, 1, 1, 0, -1, 0],
    "soften": [0, 0, 0, 0, 1, 1, 0, 1, 1],
}
for name, w in kernels.items():
    upside_down = w[6:9] + w[3:6] + w[0:3]
    theirs = arr(src.filter(ImageFilter.Kernel((3, 3), upside_down, sum(w))))
    ours = arr(load(name))
    worst = int(numpy.abs(ours[1:-1, 1:-1] - theirs[1:-1, 1:-1]).max())
    check(worst <= 1, "%s interior off by %d from PIL's kernel" % (name, worst))
    check((ours[0] == a[0]).all() and (ours[-1] == a[-1]).all(), "%s changed the edges" % name)

mosaic = arr(load("mosaic"))
h, w = a.shape[:2]
worst = 0
for y0 in range(0, h, 8):
    for x0 in range(0, w, 8):
        x1 = x0 + 8 if x0 + 8 < w - 8 + 1 else w
        y1 = y0 + 8 if y0 + 8 < h - 8 + 1 else h
        block = a[y0:y1, x0:x1].reshape(-1, 3).mean(axis=0)
        worst = max(worst, int(numpy.abs(mosaic[y0:y1, x0:x1] - block).max().round()))
check(worst <= 1, "mosaic off by %d from block means" % worst)

hls = arr(load("hls"))
worst = 0
for y in range(0, h, 3):
    for x in range(0, w, 3):
        r, g, b = (v / 255 for v in a[y, x])
        # On the 0..240 scale in whole steps, as the filter keeps them.
        hh, ll, ss = (round(v * 240) for v in colorsys.rgb_to_hls(r, g, b))
        ll = min(240, ll + 20)
        want = [round(v * 255) for v in colorsys.hls_to_rgb(hh / 240, ll / 240, ss / 240)]
        worst = max(worst, int(numpy.abs(hls[y, x] - want).max()))
check(worst <= 2, "luminance +20 off by %d from colorsys" % worst)

smooth = load("smooth")
ours = arr(load("resampled"))
theirs = arr(smooth.resize(ours.shape[1::-1], Image.LANCZOS))
mae = float(numpy.abs(ours - theirs).mean())
check(mae < 3, "resampling: mean error %.2f against PIL's Lanczos" % mae)

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("chart filter oracles: all passed (resampling mean error %.2f)" % mae)
