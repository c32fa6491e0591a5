"""The periods of a chart function against a reference written from the rules alone: random
positions (ties, fractions, large offsets) and periods (whole, fractional, halves that round
to even, below one point, far too fine to matter) in both period styles and all three
alignments; the function sums the values of each period. Usage: function_periods.py DRIVER"""

import math
import random
import subprocess
import sys

from differential import same

MAX_RANGE_PERIODS = 1e6


def place(align, first, last):
    return first if align == 0 else last if align == 2 else (first + last) / 2


def reference(style, period, align, xs, ys):
    n = len(xs)
    if n == 0:
        return []
    if period == 0:
        lo, hi = min(xs), max(xs)
        return [(lo + (hi - lo) / 2, sum(ys, 0.0))]
    out = []
    if style == 0:
        size = max(1, round(period))  # ties to even; below one point counts as one
        start = 0
        while start + size - 1 < n:  # a short last group gives nothing
            last = start + size - 1
            out.append((place(align, xs[start], xs[last]), sum(ys[start:last + 1], 0.0)))
            start = last + 1
        return out
    if (max(xs) - min(xs)) / period > MAX_RANGE_PERIODS:
        return []
    b, start = xs[0], 0
    while start < n:
        begin, nb = b, b + period
        if not nb > b or math.isinf(nb):
            break  # the boundary no longer moves
        b = nb
        last = start
        while last < n - 1 and xs[last + 1] < b:
            last += 1
        where = place(align, begin, b - period / 1000)
        if xs[start] < b:
            out.append((where, sum(ys[start:last + 1], 0.0)))
            start = last + 1
        else:
            out.append((where, 0.0))
    return out


def random_case(rng):
    n = rng.choice([0, 1, 2, 3, 7, rng.randint(1, 40)])
    kind = rng.random()
    if kind < 0.4:
        xs = [float(rng.randint(0, 30)) for _ in range(n)]
    elif kind < 0.7:
        xs = [rng.uniform(-50, 50) for _ in range(n)]
    elif kind < 0.85:
        xs = [1e16 + rng.randint(0, 8) * 2.0 for _ in range(n)]  # tiny periods do not move b
    else:
        xs = [rng.randint(0, 5) * 1e8 for _ in range(n)]  # too many range periods
    xs.sort()
    ys = [float(rng.randint(-9, 9)) for _ in range(n)]
    period = rng.choice([0.0, 1.0, 2.0, 3.0, 0.4, 0.5, 1.5, 2.5, 1e-300, 10.0,
                         rng.uniform(0.01, 12), float(rng.randint(1, 9))])
    return rng.randint(0, 1), period, rng.randint(0, 2), xs, ys


def line(style, period, align, xs, ys):
    return " ".join(["f", str(style), repr(period), str(align), str(len(xs))]
                    + [repr(v) for v in xs + ys])


def answer(points):
    return " ".join(["r", str(len(points))] + [repr(v) for p in points for v in p])


def main():
    rng = random.Random(5152)
    cases = [random_case(rng) for _ in range(3000)]
    # The cases the rules spell out, first.
    cases[:0] = [(0, 3.0, 1, [float(i) for i in range(7)], [1.0] * 7),
                 (1, 10.0, 1, [0.0, 1.0, 25.0], [4.0, 5.0, 6.0]),
                 (0, 0.0, 1, [2.0, 3.0, 10.0], [1.0, 1.0, 1.0])]
    result = subprocess.run([sys.argv[1]], input="\n".join(line(*c) for c in cases) + "\n",
                            capture_output=True, text=True, check=True)
    got = result.stdout.splitlines()
    if len(got) != len(cases):
        print("%d answers for %d cases" % (len(got), len(cases)))
        return 1
    for case, ours in zip(cases, got):
        want = answer(reference(*case))
        if not same(ours, want):
            print("case %s\n  ours:      %s\n  reference: %s" % (line(*case), ours, want))
            return 1
    print("%d cases agree" % len(cases))
    return 0


if __name__ == "__main__":
    sys.exit(main())
