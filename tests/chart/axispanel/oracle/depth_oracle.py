"""Checks the axis panel's depth sizes from outside.

For each case the program prints (plot width, 3D percent, orthogonal, ortho angle) and the
series' depth slot in X and Y it computed. Python works them out again: the percent of the plot
width (doubled for a perspective view), shortened by the tangent of the ortho angle when that
is steeper than 45 degrees, the Y side the X side times the tangent; every rounding to the
nearest integer with ties to even, as Python's round does.
"""
import math
import subprocess
import sys

out = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True).stdout
failures = []
cases = 0
ties = 0
for line in out.splitlines():
    width, percent, orthogonal, angle, got_x, got_y = (int(v) for v in line.split())
    cases += 1
    f = percent * 0.001 * (1 if orthogonal else 2)
    if (width * f) % 1 == 0.5:
        ties += 1
    x = round(width * f)
    if orthogonal:
        a = 180 - angle if angle > 90 else angle
        r = math.tan(a * (math.pi / 180))
    else:
        r = 1
    if r > 1:
        x = round(x / r)
    y = round(x * r)
    if (x, y) != (got_x, got_y):
        failures.append(f"{line}: expected {x} {y}")

if cases < 1000 or ties == 0:
    print(f"too few cases ({cases}) or no ties ({ties})")
    sys.exit(1)
if failures:
    print("\n".join(failures[:20]))
    print(f"{len(failures)} of {cases} cases differ")
    sys.exit(1)
print(f"{cases} cases agree ({ties} ties)")
