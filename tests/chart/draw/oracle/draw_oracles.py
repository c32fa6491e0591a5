"""Checks the chart canvas's scenes against PIL and numpy.

Runs the scene program twice (each into its own folder) and checks:
- every PNG is byte-identical between the two runs;
- MixBitmaps matches PIL's Image.blend within 1 per channel, with the opacity
  255 - round(percent * 2.55) the chart library gives the mixed-in picture;
- the default gradient: yellow top row, white bottom row, rows of one colour each,
  256 distinct row colours whose blue channel only grows from top to bottom;
- a red plain shadow at 50 % over black is within 2 of PIL's half-way blend of the two;
- HullOfPoints gives the vertices scipy's ConvexHull gives, on 1,000 random clouds;
- projected axis vectors are the first two rows of a rotation matrix built here from the view's
  angles (orthonormal, and equal to ours within rounding);
- Unproject of a projected point solves the projection at the point's depth (within 1 pixel);
- a box draws exactly the faces whose outward normal, turned by that matrix, points at the
  viewer; the faces a box, a pyramid and a frustum draw cover their outline (shapely) once.
"""
import os
import subprocess
import sys

import math

import numpy
from PIL import Image
from scipy.spatial import ConvexHull
from shapely.geometry import MultiPoint, Polygon

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

# Convex hulls.
def points(fields):
    return [tuple(int(v) for v in f.split(",")) for f in fields]


clouds = 0
with open(os.path.join(runs[0], "hull.txt")) as f:
    lines = f.read().split("\n")
for cloud_line, hull_line in zip(lines[0::2], lines[1::2]):
    cloud = points(cloud_line.split()[1:])
    ours = points(hull_line.split()[1:])
    distinct = numpy.array(sorted(set(cloud)))
    if len(distinct) < 3 or numpy.linalg.matrix_rank(distinct - distinct[0]) < 2:
        continue  # no area: scipy has no hull to give
    clouds += 1
    theirs = {tuple(distinct[i]) for i in ConvexHull(distinct).vertices}
    check(set(ours) == theirs and len(ours) == len(theirs),
          "hull of %s: ours %s, scipy %s" % (cloud, ours, sorted(theirs)))
check(clouds > 900, "only %d hull clouds compared" % clouds)


# Projection: screen = first two rows of Rz(tilt) . Rx(-elevation) . Ry(-rotation).
def rotation(elevation, rotation, tilt):
    e, r, t = (math.radians(a) for a in (-elevation, -rotation, tilt))
    ry = numpy.array([[math.cos(r), 0, math.sin(r)], [0, 1, 0], [-math.sin(r), 0, math.cos(r)]])
    rx = numpy.array([[1, 0, 0], [0, math.cos(e), -math.sin(e)], [0, math.sin(e), math.cos(e)]])
    rz = numpy.array([[math.cos(t), -math.sin(t), 0], [math.sin(t), math.cos(t), 0], [0, 0, 1]])
    return rz @ rx @ ry


views = unprojected = 0
m = None
with open(os.path.join(runs[0], "projection.txt")) as f:
    for line in f:
        fields = line.split()
        if fields[0] == "view":
            e, r, t = (float(v) for v in fields[1:4])
            ours = numpy.array([float(v) for v in fields[4:]]).reshape(3, 2).T / 1000.0
            m = rotation(e, r, t)[:2]
            views += 1
            check(numpy.abs(ours - m).max() <= 0.001,
                  "view %s: axes %s, expected %s" % (fields[1:4], ours.tolist(), m.tolist()))
            gram = ours @ ours.T
            check(numpy.abs(gram - numpy.eye(2)).max() <= 0.002,
                  "view %s: projected rows are not orthonormal: %s" % (fields[1:4], gram.tolist()))
        else:
            x, y, z, sx, sy, ux, uy = (int(v) for v in fields[1:])
            # Solve m[:, :2] . (x, y) = (sx, sy) - m[:, 2] * z for the point at depth z.
            want = numpy.linalg.solve(m[:, :2], numpy.array([sx, sy]) - m[:, 2] * z)
            unprojected += 1
            check(abs(ux - want[0]) <= 1 and abs(uy - want[1]) <= 1,
                  "unproject (%d,%d) at depth %d: ours (%d,%d), solved %s" %
                  (sx, sy, z, ux, uy, want.tolist()))
            check(abs(ux - x) <= 1 and abs(uy - y) <= 1,
                  "(%d,%d,%d) came back as (%d,%d)" % (x, y, z, ux, uy))
check(views == 72 and unprojected > 3000, "%d views, %d points" % (views, unprojected))

# Faces of solids.
def project(m, centre, p):
    d = numpy.array(p, dtype=float) - centre
    s = m[:2] @ d
    return (s[0], s[1])


box_faces = [  # the box 100..200 x 60..180 x 20..60
    [(100, 60, 20), (200, 60, 20), (200, 180, 20), (100, 180, 20)],
    [(100, 60, 60), (200, 60, 60), (200, 180, 60), (100, 180, 60)],
    [(200, 60, 20), (200, 60, 60), (200, 180, 60), (200, 180, 20)],
    [(100, 60, 20), (100, 60, 60), (100, 180, 60), (100, 180, 20)],
    [(100, 60, 20), (200, 60, 20), (200, 60, 60), (100, 60, 60)],
    [(100, 180, 20), (100, 180, 60), (200, 180, 60), (200, 180, 20)],
]
frustum_sides = [  # base 100..200 at Y 180, depth 20..60; top 130..170 at Y 60, depth 32..48
    [(130, 60, 48), (170, 60, 48), (200, 180, 60), (100, 180, 60)],
    [(130, 60, 32), (170, 60, 32), (200, 180, 20), (100, 180, 20)],
    [(130, 60, 32), (130, 60, 48), (100, 180, 60), (100, 180, 20)],
    [(170, 60, 32), (170, 60, 48), (200, 180, 60), (200, 180, 20)],
]


def outward(face, middle):
    a, b, c = (numpy.array(p, dtype=float) for p in face[:3])
    n = numpy.cross(b - a, c - a)
    return n if n @ (numpy.mean(numpy.array(face, dtype=float), axis=0) - middle) > 0 else -n


def faces_drawn(m, centre, faces, polys, middle):
    """The faces whose turned outward normal points at the viewer, those edge-on or better, and
    those drawn."""
    towards = [(m @ outward(f, middle))[2] / numpy.linalg.norm(outward(f, middle)) for f in faces]
    expected = {i for i, t in enumerate(towards) if t < -1e-6}
    allowed = {i for i, t in enumerate(towards) if t < 1e-6}
    found = set()
    for poly in polys:
        ours = numpy.array(poly, dtype=float)
        if len(ours) != 4:
            continue
        matches = {i for i, f in enumerate(faces)
                   if numpy.abs(ours - numpy.array([project(m, centre, c) for c in f])
                                - [150, 120]).max() <= 1.5}
        found |= (matches & expected) or set(sorted(matches)[:1])
    return expected, allowed, found


solids = 0
with open(os.path.join(runs[0], "faces.txt")) as f:
    blocks = f.read().split("view ")[1:]
for block in blocks:
    lines = block.strip().split("\n")
    e, r = (float(v) for v in lines[0].split())
    m = rotation(e, r, 0)
    centre = numpy.array([150, 120, 40])  # the projection centre: chart middle, half the depth
    shape, polys = None, {}
    for line in lines[1:]:
        if line.startswith("shape"):
            shape = line.split()[1]
            polys[shape] = []
        else:
            polys[shape].append(points(line.split()[1:]))
    for name, faces, middle in (("box", box_faces, [150, 120, 40]),
                                ("frustum", frustum_sides, [150, 150, 40])):
        expected, allowed, found = faces_drawn(m, centre, faces, polys[name],
                                               numpy.array(middle))
        check(expected <= found <= allowed, "view %s %s: %s drew faces %s, expected %s"
              % (e, r, name, sorted(found), sorted(expected)))
        solids += 1
    # Box and pyramid draw no hidden face: what they draw covers their outline once.
    for name in ("box", "pyramid"):
        faces = polys[name]
        outline = MultiPoint([p for poly in faces for p in poly]).convex_hull
        total = sum(Polygon(poly).area for poly in faces if len(set(poly)) >= 3)
        check(abs(total - outline.area) <= 0.02 * outline.area + 40,
              "view %s %s: %s faces cover %.0f, outline %.0f" % (e, r, name, total, outline.area))
check(solids == 72, "%d solids compared" % solids)

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("chart drawing oracles: %d scenes, %d hulls, %d views, %d unprojections, %d solids, "
      "all passed" % (len(names), clouds, views, unprojected, solids))
