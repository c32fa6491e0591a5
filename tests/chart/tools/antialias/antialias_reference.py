#!/usr/bin/env python3
"""Reference drawing of the chart's smoothed-line canvas, for byte-exact comparison.

Usage:
    python3 antialias_reference.py IN.json OUT.ppm

IN.json:
    {"width": W, "height": H, "background": [r, g, b], "ops": [op, ...]}
The ops are drawn in order on a 24-bit W x H bitmap filled with the background. The canvas draws
as the smoothing canvas does with buffered display on, direct row access to the bitmap, the clip
region being the whole bitmap and the drawing colour being the op's colour:

    {"op": "line", "from": [x0, y0], "to": [x1, y1], "color": [r, g, b], "width": 1,
     "style": "solid" | "dash" | "dot" | "dashdot" | "dashdotdot" | "smalldots"}
        a move to (x0, y0), then a smoothed line to (x1, y1). "width" and "style" may be left out
        (1 and "solid").
    {"op": "arc", "box": [left, top, right, bottom], "start": deg, "end": deg, "color": [r, g, b]}
        the smoothed arc by angles.
    {"op": "ellipse", "box": [left, top, right, bottom], "color": [r, g, b]}
        a solid pen and a clear brush: only the smoothed outline (the fill that comes first, with
        the pen cleared and the brush clear, draws nothing).

OUT.ppm: binary P6, maxval 255, rows top to bottom, R G B bytes per pixel.

Exit codes: 0 drawn; 2 the input is malformed or asks for something this canvas hands to the
plain canvas (which is not modelled here): horizontal, vertical or zero-length lines, lines wider
than 2 pixels (their inner lines are plain), arcs and ellipses with a half width or half height
of 0 or less. Coordinates must be integers within +-1,000,000 (the line walk steps through every
column, also outside the bitmap, so the size of a walk is bounded); colours are 0..255.

How pixels are written:
- Blending pixel (x, y) with weight w (the share of the old colour kept): only when 0 < x < W and
  0 < y < H; each component becomes C + round((old - C) * w), C the drawing colour's component.
  w is a single-precision value; the product is formed exactly (in double precision) and rounded
  to the nearest integer, ties to even.
- Setting a pixel (line end points, ellipse points) to the colour: only when 0 <= x < W and
  0 <= y < H; a point outside the bitmap is skipped, never written.

Lines (one pixel wide), dx = x1 - x0, dy = y1 - y0:
- The start pixel is set, then the walk, then the end pixel is set.
- |dy| < |dx|: the ends are exchanged when dx < 0; s = dy / dx in single precision; yf starts at
  the start y (single precision); for each column i from start x + 1 to end x - 1: yf := yf + s
  (single precision), n := floor(yf), w1 := yf - n, w2 := 1 - w1 (single precision); pixel
  (i, n) is blended with w1, then (i, n + 1) with w2. yf advances on every column, also where a
  dash mask leaves the column out.
- |dy| >= |dx| (45 degrees included): the same with x and y exchanged.
- Dash masks, indexed by the absolute column (row for the steep walk) modulo 8, remainder in 0..7:
  smalldots 10101010, dash 11101110, dot 11001100, dashdot and dashdotdot 11101010; solid draws
  every step.
- Solid pen only: the walk stops at the bitmap width (height for the steep walk); n below 0
  becomes 0; n greater than the height becomes height - 2 (for the steep walk: n greater than the
  width becomes width - 1). The weights are taken from n before it is moved.
  (Moving n drags a line that leaves the bitmap at the top or bottom along the second row or the
  row before last; this is drawn as described, dashed pens are not moved.)
- Width 2: two one-pixel lines, offset d = 1 and then d = 0 across the line (in x when
  |dx| < |dy|, else in y), both smoothed, each with its own end pixels.

Arcs by angles:
- rx := (right - left) div 2, ry := (bottom - top) div 2, centre cx := left + rx,
  cy := top + ry. Angles are in degrees, counter-clockwise with y pointing up; a point at angle a
  is (cx + rx cos a, cy - ry sin a), the radian value formed as a * pi / 180.
- The arc runs from start to end counter-clockwise: start is brought into [0, 360), the span is
  (end - start) mod 360, a span of 0 with end != start is a full turn, end == start draws
  nothing. The arc is cut at the multiples of 90 degrees; each segment [t, u] lies in quadrant
  q = floor(t / 90) mod 4 (0 upper right, 1 upper left, 2 lower left, 3 lower right).
- For each segment, first the walk in x: x runs one step at a time from round(rx cos t) (half away
  from zero) to trunc(rx cos u), both included; y := ry * sqrt(1 - (x * x) / (rx * rx)) in double
  precision, n := floor(y), w1 := y - n, w2 := 1 - w1 (kept in single precision). When this is
  the walk's first step or n differs by less than 2 from the previous step's n, pixel
  (cx + x, cy -+ n) is blended with w1, then the outward one (cx + x, cy -+ (n + 1)) with w2
  (minus above the centre, quadrants 0 and 1; plus below). Then the walk in y, likewise: y from
  round(ry sin t) to trunc(ry sin u), x := rx * sqrt(1 - (y * y) / (ry * ry)), m := floor(x),
  pixels (cx +- m, cy - y) then (cx +- (m + 1), cy - y) (plus right of the centre, quadrants 0
  and 3).

Ellipse outline: the midpoint walk from (0, ry), with integer decisions (four times the usual
ones): region 1 while 2 ry^2 x < 2 rx^2 y, d1 = 4 ry^2 - 4 rx^2 ry + rx^2; d1 < 0 steps in x,
else in x and y; region 2 from d2 = ry^2 (2x + 1)^2 + 4 rx^2 (y - 1)^2 - 4 rx^2 ry^2 while y >= 0;
d2 > 0 steps in y, else in x and y. Each point found is mirrored into the quadrants in the order
upper right, upper left, lower left, lower right; for each mirrored point: the point is set to the
colour, then its outward neighbours are blended: in region 1 the horizontal one with 0.4 and then
the vertical one with 0.6, in region 2 the vertical one with 0.4 and then the horizontal one with
0.6 (single-precision weights), so that the neighbour across the curve keeps the larger share of
the old colour. A point on an axis (x = 0 or y = 0) mirrors onto itself and is drawn once for
each of the four mirrors, so its neighbours are blended again each time.
"""

import json
import math
import struct
import sys

MASKS = {
    "solid": None,
    "smalldots": (1, 0, 1, 0, 1, 0, 1, 0),
    "dash": (1, 1, 1, 0, 1, 1, 1, 0),
    "dot": (1, 1, 0, 0, 1, 1, 0, 0),
    "dashdot": (1, 1, 1, 0, 1, 0, 1, 0),
    "dashdotdot": (1, 1, 1, 0, 1, 0, 1, 0),
}

COORD_LIMIT = 1000000
SIZE_LIMIT = 1 << 24


class InputError(Exception):
    """The input cannot be drawn by this canvas; the message says why."""


def f32(value):
    """Rounds a double to the nearest single-precision value."""
    return struct.unpack("<f", struct.pack("<f", value))[0]


def round_half_away(value):
    return int(math.copysign(math.floor(abs(value) + 0.5), value))


class Bitmap:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.rows = [bytearray(bytes(background) * width) for _ in range(height)]

    def set_pixel(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][3 * x : 3 * x + 3] = bytes(color)

    def blend(self, x, y, weight, color):
        if not (0 < x < self.width and 0 < y < self.height):
            return
        row = self.rows[y]
        for k in range(3):
            old = row[3 * x + k]
            row[3 * x + k] = color[k] + round((old - color[k]) * weight)

    def ppm(self):
        header = b"P6\n%d %d\n255\n" % (self.width, self.height)
        return header + b"".join(bytes(row) for row in self.rows)


class SmoothCanvas:
    def __init__(self, bitmap):
        self.bitmap = bitmap

    # Lines

    def line(self, x0, y0, x1, y1, color, style, width):
        dx, dy = x1 - x0, y1 - y0
        if dx == 0 or dy == 0:
            raise InputError("horizontal, vertical and zero-length lines are drawn by the plain canvas")
        if width == 1:
            self.thin_line(x0, y0, x1, y1, color, style)
            return
        if width != 2:
            raise InputError("lines wider than 2 pixels have plain inner lines, not modelled here")
        for i in range(width):
            d = width // 2 - i
            ox, oy = (d, 0) if abs(dx) < abs(dy) else (0, d)
            self.thin_line(x0 + ox, y0 + oy, x1 + ox, y1 + oy, color, style)

    def thin_line(self, x0, y0, x1, y1, color, style):
        mask = MASKS[style]
        bmp = self.bitmap
        bmp.set_pixel(x0, y0, color)
        dx, dy = x1 - x0, y1 - y0
        if abs(dy) < abs(dx):
            a, b = ((x0, y0), (x1, y1)) if dx > 0 else ((x1, y1), (x0, y0))
            plot = lambda i, n, w: bmp.blend(i, n, w, color)
            self.walk(a[0], b[0], a[1], b[1] - a[1], b[0] - a[0], mask, plot, bmp.width, bmp.height, bmp.height - 2)
        else:
            a, b = ((x0, y0), (x1, y1)) if dy > 0 else ((x1, y1), (x0, y0))
            plot = lambda i, n, w: bmp.blend(n, i, w, color)
            self.walk(a[1], b[1], a[0], b[0] - a[0], b[1] - a[1], mask, plot, bmp.height, bmp.width, bmp.width - 1)
        bmp.set_pixel(x1, y1, color)

    @staticmethod
    def walk(start, end, minor, rise, run, mask, plot, stop, minor_high, minor_moved):
        slope = f32(f32(rise) / f32(run))
        f = f32(minor)
        for i in range(start + 1, end):
            if mask is None and i >= stop:
                break
            f = f32(f + slope)
            n = math.floor(f)
            w1 = f32(f - n)
            w2 = f32(1.0 - w1)
            if mask is None:
                if n < 0:
                    n = 0
                elif n > minor_high:
                    n = minor_moved
            elif not mask[i % 8]:
                continue
            plot(i, n, w1)
            plot(i, n + 1, w2)

    # Arcs

    def arc(self, box, start, end, color):
        rx, ry, cx, cy = radii_and_centre(box)
        for t, u, quadrant in arc_segments(start, end):
            self.arc_segment(rx, ry, cx, cy, t, u, quadrant, color)

    def arc_segment(self, rx, ry, cx, cy, t, u, quadrant, color):
        bmp = self.bitmap
        up = 1 if quadrant in (0, 1) else -1
        right = 1 if quadrant in (0, 3) else -1
        ta, ua = t * math.pi / 180, u * math.pi / 180

        def x_step(x, n, w):
            bmp.blend(cx + x, cy - up * n, w, color)

        def y_step(y, m, w):
            bmp.blend(cx + right * m, cy - y, w, color)

        arc_walk(round_half_away(rx * math.cos(ta)), math.trunc(rx * math.cos(ua)), rx, ry, x_step)
        arc_walk(round_half_away(ry * math.sin(ta)), math.trunc(ry * math.sin(ua)), ry, rx, y_step)

    # Ellipses

    def ellipse(self, box, color):
        rx, ry, cx, cy = radii_and_centre(box)
        bmp = self.bitmap
        mirrors = ((1, 1), (-1, 1), (-1, -1), (1, -1))
        weight_near, weight_far = f32(0.4), f32(0.6)
        for x, y, region in midpoint_ellipse(rx, ry):
            for sx, sy in mirrors:
                px, py = cx + sx * x, cy - sy * y
                bmp.set_pixel(px, py, color)
                horizontal = (cx + sx * (x + 1), py)
                vertical = (px, cy - sy * (y + 1))
                first, second = (horizontal, vertical) if region == 1 else (vertical, horizontal)
                bmp.blend(first[0], first[1], weight_near, color)
                bmp.blend(second[0], second[1], weight_far, color)


def trunc_half(value):
    """value div 2, rounding toward zero."""
    return value // 2 if value >= 0 else -((-value) // 2)


def radii_and_centre(box):
    left, top, right, bottom = box
    rx = trunc_half(right - left)
    ry = trunc_half(bottom - top)
    if rx <= 0 or ry <= 0:
        raise InputError("a half width or half height of 0 or less is drawn by the plain canvas")
    return rx, ry, left + rx, top + ry


def arc_segments(start, end):
    span = (end - start) % 360.0
    if span == 0 and end != start:
        span = 360.0
    a = start % 360.0
    stop = a + span
    segments = []
    while a < stop:
        quarter = math.floor(a / 90)
        b = min((quarter + 1) * 90.0, stop)
        segments.append((a, b, quarter % 4))
        a = b
    return segments


def arc_walk(first, last, along_radius, across_radius, plot):
    """Steps from first to last (both included) along one axis; plot(pos, n, weight) blends."""
    step = 1 if last >= first else -1
    previous = None
    for pos in range(first, last + step, step):
        across = across_radius * math.sqrt(1 - (pos * pos) / (along_radius * along_radius))
        n = math.floor(across)
        if previous is None or abs(n - previous) < 2:
            w1 = f32(across - n)
            w2 = f32(1.0 - w1)
            plot(pos, n, w1)
            plot(pos, n + 1, w2)
        previous = n


def midpoint_ellipse(rx, ry):
    """Yields (x, y, region) for the quarter x >= 0, y >= 0, from (0, ry) to (rx, 0)."""
    rx2, ry2 = rx * rx, ry * ry
    x, y = 0, ry
    px, py = 0, 2 * rx2 * y
    d1 = 4 * ry2 - 4 * rx2 * ry + rx2
    while px < py:
        yield x, y, 1
        x += 1
        px += 2 * ry2
        if d1 < 0:
            d1 += 4 * (px + ry2)
        else:
            y -= 1
            py -= 2 * rx2
            d1 += 4 * (px - py + ry2)
    d2 = ry2 * (2 * x + 1) ** 2 + 4 * rx2 * (y - 1) ** 2 - 4 * rx2 * ry2
    while y >= 0:
        yield x, y, 2
        y -= 1
        py -= 2 * rx2
        if d2 > 0:
            d2 += 4 * (rx2 - py)
        else:
            x += 1
            px += 2 * ry2
            d2 += 4 * (px - py + rx2)


# Input

def need(condition, message):
    if not condition:
        raise InputError(message)


def integer(value, what, low=-COORD_LIMIT, high=COORD_LIMIT):
    need(isinstance(value, int) and not isinstance(value, bool), "%s must be an integer" % what)
    need(low <= value <= high, "%s must lie in %d..%d" % (what, low, high))
    return value


def number(value, what):
    need(isinstance(value, (int, float)) and not isinstance(value, bool), "%s must be a number" % what)
    need(math.isfinite(value) and abs(value) <= 1e9, "%s must be a finite angle" % what)
    return float(value)


def integers(value, count, what, low=-COORD_LIMIT, high=COORD_LIMIT):
    need(isinstance(value, list) and len(value) == count, "%s must be a list of %d integers" % (what, count))
    return [integer(v, what, low, high) for v in value]


def rgb(value, what):
    return integers(value, 3, what, 0, 255)


def draw_op(canvas, op, index):
    what = "ops[%d]" % index
    need(isinstance(op, dict), "%s must be an object" % what)
    kind = op.get("op")
    color = rgb(op.get("color"), what + ".color")
    if kind == "line":
        x0, y0 = integers(op.get("from"), 2, what + ".from")
        x1, y1 = integers(op.get("to"), 2, what + ".to")
        style = op.get("style", "solid")
        need(style in MASKS, "%s.style must be one of %s" % (what, ", ".join(MASKS)))
        width = integer(op.get("width", 1), what + ".width", 1, 1000)
        canvas.line(x0, y0, x1, y1, color, style, width)
    elif kind == "arc":
        box = integers(op.get("box"), 4, what + ".box")
        canvas.arc(box, number(op.get("start"), what + ".start"), number(op.get("end"), what + ".end"), color)
    elif kind == "ellipse":
        canvas.ellipse(integers(op.get("box"), 4, what + ".box"), color)
    else:
        raise InputError("%s.op must be line, arc or ellipse" % what)


def render(scene):
    need(isinstance(scene, dict), "the input must be a JSON object")
    width = integer(scene.get("width"), "width", 1, SIZE_LIMIT)
    height = integer(scene.get("height"), "height", 1, SIZE_LIMIT)
    need(width * height <= SIZE_LIMIT, "the bitmap may have at most %d pixels" % SIZE_LIMIT)
    bitmap = Bitmap(width, height, rgb(scene.get("background"), "background"))
    ops = scene.get("ops", [])
    need(isinstance(ops, list), "ops must be a list")
    canvas = SmoothCanvas(bitmap)
    for index, op in enumerate(ops):
        draw_op(canvas, op, index)
    return bitmap


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: antialias_reference.py IN.json OUT.ppm\n")
        return 2
    try:
        with open(argv[1], encoding="utf-8") as source:
            scene = json.load(source)
        bitmap = render(scene)
    except (InputError, ValueError) as error:
        sys.stderr.write("antialias_reference: %s\n" % error)
        return 2
    with open(argv[2], "wb") as target:
        target.write(bitmap.ppm())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
