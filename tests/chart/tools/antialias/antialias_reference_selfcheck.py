#!/usr/bin/env python3
"""Checks the smoothed-line reference drawing against properties of the canvas it models.

Usage: python3 antialias_reference_selfcheck.py [path/to/antialias_reference.py]
Runs the reference as a program on small inputs and reads back the PPM it writes.
"""

import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REFERENCE = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "antialias_reference.py")
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
MASKS = {
    "smalldots": (1, 0, 1, 0, 1, 0, 1, 0),
    "dash": (1, 1, 1, 0, 1, 1, 1, 0),
    "dot": (1, 1, 0, 0, 1, 1, 0, 0),
    "dashdot": (1, 1, 1, 0, 1, 0, 1, 0),
    "dashdotdot": (1, 1, 1, 0, 1, 0, 1, 0),
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


class Image:
    def __init__(self, width, height, data):
        self.width, self.height = width, height
        self.px = [[tuple(data[(y * width + x) * 3 : (y * width + x) * 3 + 3]) for x in range(width)] for y in range(height)]

    def __getitem__(self, xy):
        return self.px[xy[1]][xy[0]]

    def changed(self, background):
        return {(x, y) for y in range(self.height) for x in range(self.width) if self.px[y][x] != background}


def run(width, height, ops, background=WHITE):
    """Draws ops; returns (exit code, Image or None, stderr)."""
    with tempfile.TemporaryDirectory() as tmp:
        source, target = os.path.join(tmp, "in.json"), os.path.join(tmp, "out.ppm")
        with open(source, "w") as f:
            json.dump({"width": width, "height": height, "background": list(background), "ops": ops}, f)
        proc = subprocess.run([sys.executable, REFERENCE, source, target], capture_output=True, text=True)
        if proc.returncode != 0:
            return proc.returncode, None, proc.stderr
        data = open(target, "rb").read()
    header = b"P6\n%d %d\n255\n" % (width, height)
    check(data.startswith(header), "PPM header is %r" % data[:20])
    check(len(data) == len(header) + 3 * width * height, "PPM holds %d bytes" % len(data))
    return 0, Image(width, height, data[len(header) :]), proc.stderr


def draw(width, height, ops, background=WHITE):
    code, image, err = run(width, height, ops, background)
    if not check(code == 0 and image is not None, "drawing %s failed with %d: %s" % (ops, code, err)):
        raise SystemExit("\n".join(failures))
    return image


def line(a, b, color=BLACK, style="solid", width=1):
    return {"op": "line", "from": list(a), "to": list(b), "color": list(color), "style": style, "width": width}


def diagonal_lines_are_crisp():
    """Every step of a 45-degree line lands on a whole pixel: weight 0 on the line, 1 beside it."""
    red = (200, 10, 30)
    for a, b in [((2, 2), (12, 12)), ((12, 12), (2, 2)), ((2, 12), (12, 2)), ((13, 1), (3, 11))]:
        img = draw(16, 14, [line(a, b, red)])
        sx = 1 if b[0] > a[0] else -1
        sy = 1 if b[1] > a[1] else -1
        expected = {(a[0] + k * sx, a[1] + k * sy) for k in range(11)}
        check(img.changed(WHITE) == expected, "45-degree line %s-%s touches %s" % (a, b, sorted(img.changed(WHITE) ^ expected)))
        check(all(img[p] == red for p in expected), "45-degree line %s-%s is not fully coloured" % (a, b))


def half_slope_line_weights():
    """Slope 1/2: every other column splits evenly between two rows (ties round to even)."""
    color = (10, 20, 30)
    half = (132, 138, 142)  # 10 + round(245 / 2), 20 + round(235 / 2), 30 + round(225 / 2)
    expected = {(1, 1): color, (9, 5): color}
    for i, yf in zip(range(2, 9), (1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5)):
        n = int(yf)
        if yf == n:
            expected[(i, n)] = color
        else:
            expected[(i, n)] = expected[(i, n + 1)] = half
    for a, b in [((1, 1), (9, 5)), ((9, 5), (1, 1))]:
        img = draw(12, 8, [line(a, b, color)])
        got = {p: img[p] for p in img.changed(WHITE)}
        check(got == expected, "half-slope line %s-%s gives %s" % (a, b, got))
    steep = draw(12, 12, [line((1, 1), (5, 9), color)])
    got = {(y, x): steep[(x, y)] for (x, y) in steep.changed(WHITE)}
    check(got == expected, "the steep line is not the transposed shallow line: %s" % got)


def reversed_lines_match():
    for a, b, style in [((3, 2), (27, 15), "solid"), ((25, 1), (4, 18), "dash"), ((2, 19), (9, 1), "dot"), ((28, 17), (1, 12), "smalldots")]:
        forward = draw(30, 20, [line(a, b, (0, 90, 200), style)])
        backward = draw(30, 20, [line(b, a, (0, 90, 200), style)])
        check(forward.px == backward.px, "line %s-%s (%s) differs when drawn backwards" % (a, b, style))


def dash_masks_follow_columns_and_rows():
    for style, mask in MASKS.items():
        for start in (-5, -2):
            img = draw(40, 30, [line((start, 3), (44, 25), BLACK, style)])
            drawn = {x for x, _ in img.changed(WHITE)}
            expected = {x for x in range(1, 40) if mask[x % 8]}
            check(drawn == expected, "%s line from x=%d draws columns %s" % (style, start, sorted(drawn ^ expected)))
        img = draw(30, 40, [line((4, -7), (22, 45), BLACK, style)])
        drawn = {y for _, y in img.changed(WHITE)}
        expected = {y for y in range(1, 40) if mask[y % 8]}
        check(drawn == expected, "steep %s line draws rows %s" % (style, sorted(drawn ^ expected)))


def edges_are_never_blended():
    """Row 0 and column 0 only ever take set points (exact colour); nothing lands outside."""
    color = (0, 0, 160)
    def edge_of(img):
        return {(x, 0) for x in range(img.width)} | {(0, y) for y in range(img.height)}

    img = draw(16, 12, [line((-10, -6), (30, 25), color), line((20, -3), (-4, 14), color, "dash")])
    edge = edge_of(img)
    check(not (img.changed(WHITE) & edge), "lines crossing the edges blend row 0 or column 0")
    img = draw(12, 10, [line((0, 3), (9, 7), color), line((2, 0), (6, 9), color)])
    edge = edge_of(img)
    on_edge = {p for p in img.changed(WHITE) if p in edge}
    check(on_edge == {(0, 3), (2, 0)}, "lines starting on the edges leave %s there" % sorted(on_edge))
    check(img[(0, 3)] == color and img[(2, 0)] == color, "start pixels on the edges are not coloured")
    big = [{"op": "ellipse", "box": [-6, -4, 12, 10], "color": list(color)},
           {"op": "arc", "box": [-12, -5, 20, 30], "start": 0, "end": 360, "color": [200, 0, 0]}]
    img = draw(14, 11, big)
    edge = edge_of(img)
    check(all(img[p] in (WHITE, color) for p in edge), "a shape crossing the edges blends row 0 or column 0")
    check(any(img[p] == color for p in edge), "the ellipse crossing the edges sets no point on them")
    img = draw(14, 11, big[1:])
    check(not (img.changed(WHITE) & edge), "an arc crossing the edges touches row 0 or column 0")
    around = [{"op": "ellipse", "box": [-40, -30, 60, 50], "color": list(color)},
              {"op": "arc", "box": [-30, -20, 40, 30], "start": 0, "end": 360, "color": list(color)},
              line((-50, 20), (90, 60), color, "dot"), line((-5, -40), (-2, 70), color, "dash")]
    img = draw(6, 5, around)
    check(img.changed(WHITE) == set(), "shapes passing around the bitmap draw on it")


def solid_lines_are_held_at_the_edges():
    """A solid line leaving the bitmap is held on an edge row or column; a dashed one leaves."""
    solid = draw(20, 10, [line((2, 8), (30, -12))])
    dashed = draw(20, 10, [line((2, 8), (30, -12), BLACK, "dash")])
    gone = range(16, 20)  # columns where the exact line lies above row -1
    check(all(solid[(x, 1)] != WHITE for x in gone), "the solid line is not held on row 1")
    check(all(dashed[(x, y)] == WHITE for x in gone for y in range(10)), "the dashed line is held inside")
    # Entirely outside: below (rows past the height go to height - 2), left (to 0), right (to width - 1).
    for ops, rows, columns in [([line((-5, 30), (40, 45))], {8, 9}, set(range(1, 20))),
                               ([line((-3, -9), (-1, 25))], set(range(1, 10)), {1}),
                               ([line((25, -9), (28, 25))], set(range(1, 10)), {19})]:
        img = draw(20, 10, ops)
        changed = img.changed(WHITE)
        check(changed and {y for _, y in changed} <= rows and {x for x, _ in changed} <= columns,
              "a solid line outside the bitmap at %s-%s is held on %s" % (ops[0]["from"], ops[0]["to"], sorted(changed)[:6]))


def ellipses_are_symmetric():
    color = (0, 0, 160)
    for box in [(3, 4, 23, 18), (3, 4, 22, 17), (2, 2, 30, 8), (5, 2, 11, 28), (4, 4, 6, 6), (2, 2, 20, 20)]:
        left, top, right, bottom = box
        rx, ry = (right - left) // 2, (bottom - top) // 2
        cx, cy = left + rx, top + ry
        img = draw(right + 4, bottom + 4, [{"op": "ellipse", "box": list(box), "color": list(color)}])
        changed = img.changed(WHITE)
        mirrored = {(2 * cx - x, y) for x, y in changed} | {(x, 2 * cy - y) for x, y in changed}
        check(mirrored <= changed, "ellipse %s is not symmetric in its four quadrants" % (box,))
        asym = [(x, y) for x, y in changed if img[(x, y)] != img[(2 * cx - x, y)] or img[(x, y)] != img[(x, 2 * cy - y)]]
        check(not asym, "ellipse %s has mirrored pixels of other colours: %s" % (box, asym[:4]))
        ends = [(cx + rx, cy), (cx - rx, cy), (cx, cy + ry), (cx, cy - ry)]
        check(all(img[p] == color for p in ends), "ellipse %s misses its ends" % (box,))
        outside = [(x, y) for x, y in changed if not (cx - rx - 1 <= x <= cx + rx + 1 and cy - ry - 1 <= y <= cy + ry + 1)]
        check(not outside, "ellipse %s draws outside its box: %s" % (box, outside[:4]))
        inside = [(x, y) for x, y in changed if ((x - cx) / (rx - 1.5)) ** 2 + ((y - cy) / (ry - 1.5)) ** 2 < 1] if min(rx, ry) > 3 else []
        check(not inside, "ellipse %s draws well inside its outline: %s" % (box, inside[:4]))
        points = {p for p in changed if img[p] == color}
        halo = [(x, y) for x, y in changed - points
                if not any((px, y) in points for px in range(min(x, 2 * cx - x) + 1, max(x, 2 * cx - x)))
                and not any((x, py) in points for py in range(min(y, 2 * cy - y) + 1, max(y, 2 * cy - y)))]
        check(not halo, "ellipse %s blends inside its points: %s" % (box, halo[:4]))
        for y in range(top, bottom + 1):
            row = [x for x, yy in changed if yy == y]
            check(bool(row), "ellipse %s has a gap on row %d" % (box, y))


def arcs_cut_at_quarters():
    color = [200, 0, 0]
    box = [4, 3, 34, 25]
    cx, cy = 4 + 15, 3 + 11

    def arc(start, end):
        return {"op": "arc", "box": box, "start": start, "end": end, "color": color}

    whole = draw(40, 30, [arc(30, 200)])
    parts = draw(40, 30, [arc(30, 90), arc(90, 180), arc(180, 200)])
    check(whole.px == parts.px, "an arc is not its quarters drawn one after another")
    check(draw(40, 30, [arc(-90, 0)]).px == draw(40, 30, [arc(270, 360)]).px, "arc -90..0 is not arc 270..360")
    check(draw(40, 30, [arc(0, 360)]).px == draw(40, 30, [arc(10, 10 + 720)]).px, "full turns differ")
    check(draw(40, 30, [arc(45, 45)]).changed(WHITE) == set(), "an empty arc draws")
    for start, side in [(0, lambda x, y: x >= cx and y <= cy), (90, lambda x, y: x <= cx and y <= cy),
                        (180, lambda x, y: x <= cx and y >= cy), (270, lambda x, y: x >= cx and y >= cy)]:
        img = draw(40, 30, [arc(start, start + 90)])
        changed = img.changed(WHITE)
        check(changed and all(side(x, y) for x, y in changed), "quarter arc from %d leaves its quadrant" % start)
    img = draw(40, 30, [arc(0, 90)])
    check(img[(cx + 15, cy)] == tuple(color) and img[(cx, cy - 11)] == tuple(color), "arc ends are not on the box")


def wide_line_is_two_lines():
    color = (30, 60, 90)
    for a, b, offset in [((2, 3), (25, 14), (0, 1)), ((3, 2), (12, 26), (1, 0)), ((20, 2), (5, 17), (0, 1))]:
        wide = draw(30, 30, [line(a, b, color, "solid", 2)])
        shifted = (a[0] + offset[0], a[1] + offset[1]), (b[0] + offset[0], b[1] + offset[1])
        pair = draw(30, 30, [line(*shifted, color), line(a, b, color)])
        check(wide.px == pair.px, "2-pixel line %s-%s is not two one-pixel lines" % (a, b))


def plain_canvas_cases_are_refused():
    cases = [
        [line((2, 5), (9, 5))],
        [line((4, 1), (4, 8))],
        [line((3, 3), (3, 3))],
        [line((1, 1), (9, 6), BLACK, "solid", 3)],
        [line((1, 1), (9, 6), BLACK, "insideframe")],
        [{"op": "ellipse", "box": [2, 2, 3, 9], "color": [0, 0, 0]}],
        [{"op": "arc", "box": [2, 2, 9, 2], "start": 0, "end": 90, "color": [0, 0, 0]}],
        [{"op": "ellipse", "box": [9, 9, 2, 2], "color": [0, 0, 0]}],
        [{"op": "polygon", "color": [0, 0, 0]}],
        [line((1.5, 1), (9, 6))],
    ]
    for ops in cases:
        code, _, err = run(10, 10, ops)
        check(code == 2 and err.strip(), "%s gives exit code %d and %r" % (ops, code, err))


CHECKS = [diagonal_lines_are_crisp, half_slope_line_weights, reversed_lines_match, dash_masks_follow_columns_and_rows,
          edges_are_never_blended, solid_lines_are_held_at_the_edges, ellipses_are_symmetric, arcs_cut_at_quarters,
          wide_line_is_two_lines, plain_canvas_cases_are_refused]

if __name__ == "__main__":
    for item in CHECKS:
        before = len(failures)
        item()
        print("%-40s %s" % (item.__name__, "ok" if len(failures) == before else "FAILED"))
    for message in failures:
        print("FAIL:", message)
    sys.exit(1 if failures else 0)
