"""Checks a bare chart panel's exports with other programs.

Runs the export program, then:
- PIL reads panel.bmp with the window's size and exactly the window's pixels (screen.png);
- PIL reads the headers of panel.emf and panel.wmf: the panel's size (PIL takes the enhanced
  header's inclusive bounds as exclusive, a pixel less, and gives the placeable one at 72 dpi);
- emf2svg-conv turns panel.emf into SVG and rsvg-convert renders it; the rendering shows the
  panel's back colour, the shape's gradient from its end colour at the top to its start colour
  at the bottom (the chart's gradients run that way), its outline and its shadow at their places
  (probed pixels, within 8 per channel), and every pixel is within 8 per channel of the
  window's except next to an edge: the converter strokes outlines on pixel edges, half a pixel
  from the pixel centres the drawing uses, so a one-pixel outline comes out spread over two
  pixels, and a filled rectangle it also strokes grows by half a pixel: within two pixels of an
  edge. The caption is text: there the rendering's ink box (dark pixels) must overlap the
  window's by at least 80 % of their union, as the two programs place glyphs each their own way.
"""
import os
import subprocess
import sys

from PIL import Image

program, folder = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)
subprocess.run([program, folder], check=True)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


fixture = {}
with open(os.path.join(folder, "fixture.txt")) as f:
    for line in f:
        name, *values = line.split()
        fixture[name] = values


def colour(name):
    h = fixture[name][0]
    return tuple(int(h[i:i + 2], 16) for i in (4, 2, 0))  # 00BBGGRR to (r, g, b)


def box(name):
    return [int(v) for v in fixture[name]]


screen = Image.open(os.path.join(folder, "screen.png")).convert("RGB")
bmp = Image.open(os.path.join(folder, "panel.bmp"))
check(bmp.format == "BMP", "panel.bmp is read as %s" % bmp.format)
check(bmp.size == screen.size, "bitmap size %s, window %s" % (bmp.size, screen.size))
if bmp.size == screen.size:
    a, b = bmp.convert("RGB").tobytes(), screen.tobytes()
    diff = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
    check(diff == 0, "the bitmap differs from the window in %d pixels" % diff)

w, h = screen.size
for name, size, expected_dpi in (("panel.emf", (w - 1, h - 1), 96),
                                 ("panel.wmf", (w * 72 // 96, h * 72 // 96), 72)):
    meta = Image.open(os.path.join(folder, name))
    check(meta.format == "WMF", "%s is read as %s" % (name, meta.format))
    check(meta.size == size, "%s has size %s, expected %s" % (name, meta.size, size))
    dpi = meta.info.get("dpi")
    dpi = dpi[0] if isinstance(dpi, tuple) else dpi
    check(dpi is not None and abs(dpi - expected_dpi) < 1.5, "%s at %s dpi" % (name, dpi))

svg = os.path.join(folder, "panel.svg")
png = os.path.join(folder, "panel-emf.png")
subprocess.run(["emf2svg-conv", "-i", os.path.join(folder, "panel.emf"), "-o", svg], check=True)
subprocess.run(["rsvg-convert", "-b", "white", svg, "-o", png], check=True)
rendered = Image.open(png).convert("RGB")
# The drawing is at its own pixels; the rendering ends a pixel short (the inclusive bounds).
check(rendered.size in ((w, h), (w - 1, h - 1)), "the rendering has size %s" % (rendered.size,))
rw, rh = rendered.size


def near(p, q, tolerance=8):
    return all(abs(x - y) <= tolerance for x, y in zip(p, q))


def probe(x, y, expected, what):
    got = rendered.getpixel((x, y))
    check(near(got, expected), "%s at (%d, %d): %s, expected %s" % (what, x, y, got, expected))


left, top, right, bottom = box("shape")
shadow = int(fixture["shadow"][0])
cx = (left + right) // 2
probe(5, 5, colour("back"), "panel background")
probe(rw - 5, rh - 5, colour("back"), "panel background")
probe(cx, top + 2, colour("end"), "gradient end at the top")
probe(cx, bottom - 3, colour("start"), "gradient start at the bottom")



def dark_edge(points, what):
    # The outline, spread over the two pixels on either side of its edge, stays dark there.
    darkest = min((rendered.getpixel(p) for p in points), key=sum)
    check(max(darkest) <= 140, "%s: %s" % (what, darkest))


cy = (top + bottom) // 2
dark_edge([(cx, top - 1), (cx, top)], "top outline")
dark_edge([(left - 1, cy), (left, cy)], "left outline")
dark_edge([(right - 1, cy), (right, cy)], "right outline")
probe(right + shadow // 2, (top + bottom) // 2, colour("shadowcolor"), "shadow on the right")
probe(cx, bottom + shadow // 2, colour("shadowcolor"), "shadow below")
probe(left + 1, bottom + shadow // 2, colour("back"), "no shadow left of its offset")
# The middle row lies between the two ends.
mid = rendered.getpixel((cx, (top + bottom) // 2))
check(mid[0] > 200 and 60 < mid[1] < 200 and mid[2] < 20, "gradient middle %s" % (mid,))



def is_edge(x, y):
    here = screen.getpixel((x, y))
    return any(0 <= x + dx < w and 0 <= y + dy < h and
               not near(here, screen.getpixel((x + dx, y + dy)))
               for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))


cap = box("caption")


def ink_box(image):
    xs, ys = [], []
    for y in range(cap[1], cap[3]):
        for x in range(cap[0], min(cap[2], image.size[0])):
            if max(image.getpixel((x, y))) < 100:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None


def area(b):
    return max(0, b[2] - b[0]) * max(0, b[3] - b[1])


ours, theirs = ink_box(screen), ink_box(rendered)
check(ours is not None, "no caption in the window")
check(theirs is not None, "no caption in the rendering")
if ours and theirs:
    inter = (max(ours[0], theirs[0]), max(ours[1], theirs[1]),
             min(ours[2], theirs[2]), min(ours[3], theirs[3]))
    union = area(ours) + area(theirs) - area(inter)
    check(area(inter) >= 0.8 * union, "caption ink %s against the window's %s" % (theirs, ours))


def in_caption(x, y):
    return cap[0] <= x < cap[2] and cap[1] <= y < cap[3]


edges = {(x, y) for y in range(h) for x in range(w) if is_edge(x, y)}
far = [(x, y) for y in range(rh) for x in range(rw)
       if not in_caption(x, y) and not near(rendered.getpixel((x, y)), screen.getpixel((x, y)))
       and not any((x + dx, y + dy) in edges for dx in range(-2, 3) for dy in range(-2, 3))]
check(not far, "%d pixels away from any edge differ from the window, first %s" %
      (len(far), far[:5]))
differ = sum(1 for y in range(rh) for x in range(rw)
             if not in_caption(x, y) and not near(rendered.getpixel((x, y)), screen.getpixel((x, y))))
check(differ <= 0.05 * rw * rh, "%d of %d pixels differ" % (differ, rw * rh))

for failure in failures:
    print("FAIL:", failure)
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
