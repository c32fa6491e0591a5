"""Checks the chart's date steps and hit tests from outside.

- month and year steps against dateutil's relativedelta (the day clamped to the month, then set
  to the 1st for month steps; half months to the 1st or 15th);
- even-odd polygon hits against shapely (points on edges, where the rules differ, left out);
- segment distances against shapely's distance; ellipse hits against the ellipse equation.
"""
import datetime
import subprocess
import sys

from dateutil.relativedelta import relativedelta
from shapely.geometry import LineString, Point, Polygon

EPOCH = datetime.datetime(1899, 12, 30)
MONTHS = {21: 1, 22: 2, 23: 3, 24: 4, 25: 6}
out = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True).stdout
failures, counts = [], {"step": 0, "poly": 0, "near": 0, "ellipse": 0}


def check(ok, message):
    if not ok:
        failures.append(message)


def pt(text):
    return tuple(int(v) for v in text.split(","))


for line in out.splitlines():
    f = line.split()
    kind = f[0]
    if kind == "step":
        start = EPOCH + datetime.timedelta(days=float(f[1]))
        step, inc, got = int(f[2]), f[3] == "1", float(f[4])
        sign = 1 if inc else -1
        day = start.date()
        if step in MONTHS:
            want = (day.replace(day=1) + relativedelta(months=sign * MONTHS[step]))
        elif step == 26:
            want = day + relativedelta(years=sign)
        else:  # half month
            if day.day > 15:
                want = day.replace(day=15)
            elif day.day > 1:
                want = day.replace(day=1)
            else:
                want = day + relativedelta(months=sign)
                want = want.replace(day=15)
        expected = (datetime.datetime.combine(want, datetime.time()) - EPOCH).days
        check(abs(got - expected) < 1e-9, "%s: got %s, dateutil %s" % (line, got, expected))
    elif kind == "poly":
        p, inside = pt(f[1]), f[2] == "1"
        ring = [pt(v) for v in f[3:]]
        shape = Polygon(ring)
        if not shape.is_valid or shape.exterior.distance(Point(p)) < 1e-9:
            continue
        check(inside == shape.contains(Point(p)), "%s: shapely says %s" % (line, not inside))
    elif kind == "near":
        p, a, b, tol, near = pt(f[1]), pt(f[2]), pt(f[3]), int(f[4]), f[5] == "1"
        d = Point(p).distance(LineString([a, b]) if a != b else Point(a))
        if abs(d - (tol + 1)) < 1e-9:
            continue
        check(near == (p == a or p == b or d <= tol + 1), "%s: distance %.3f" % (line, d))
    elif kind == "ellipse":
        p, (l, t, r, b), inside = pt(f[1]), [int(v) for v in f[2:6]], f[6] == "1"
        cx, cy = (l + r) // 2, (t + b) // 2
        v = (p[0] - cx) ** 2 / (cx - l) ** 2 + (p[1] - cy) ** 2 / (cy - t) ** 2
        if abs(v - 1) < 1e-9:
            continue
        check(inside == (v <= 1), "%s: %.3f" % (line, v))
    counts[kind] += 1

check(min(counts.values()) > 1000, "too few cases: %s" % counts)
if failures:
    print("\n".join(failures[:30]))
    sys.exit(1)
print("chart util oracles: %s, all passed" % counts)
