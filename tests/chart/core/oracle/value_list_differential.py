#!/usr/bin/python3
"""Differential test of the chart value list against a Python model.

A seeded random sequence of appends by order, inserts at an index, deletes, range deletes, swaps,
rotations and order changes (with bad indexes among them) goes to the driver and to the model.
The model puts an ordered append where bisect.bisect_right does while its list is sorted by the
current order (the negated list for descending order); once swaps, rotations or a new order have
left it unsorted, it scans down from the end for the first value that does not go after the new
one, which is what the list does. Statistics are a plain left-to-right loop (not math.fsum).
Every returned index, every statistics reading and the values after each batch must match.
"""

import bisect
import random
import subprocess
import sys

SEEDS = [20261210, 7, 4242]
OPERATIONS = 4000


class Model:
    def __init__(self):
        self.values = []
        self.order = 0

    def is_sorted(self):
        v = self.values
        if self.order == 1:
            return all(v[i] <= v[i + 1] for i in range(len(v) - 1))
        return all(v[i] >= v[i + 1] for i in range(len(v) - 1))

    def position(self, x):
        v = self.values
        if self.order == 0:
            return len(v)
        if self.is_sorted():
            if self.order == 1:
                return bisect.bisect_right(v, x)
            return bisect.bisect_right([-y for y in v], -x)
        i = len(v) - 1
        while i >= 0 and (v[i] > x if self.order == 1 else v[i] < x):
            i -= 1
        return i + 1

    def stats(self):
        v = self.values
        if not v:
            return [0.0, 0.0, 0.0, 0.0]
        lo = hi = s = v[0]
        sa = abs(v[0])
        for x in v[1:]:
            if x < lo:
                lo = x
            elif x > hi:
                hi = x
            s += x
            sa += abs(x)
        return [hi, lo, s, sa]

    def bad(self, index, limit):
        return index < 0 or index >= limit

    def apply(self, op, args):
        """Applies one operation; returns the expected output line or None."""
        v = self.values
        n = len(v)
        if op == "o":
            self.order = args[0]
        elif op == "a":
            i = self.position(args[0])
            v.insert(i, args[0])
            return str(i)
        elif op == "i":
            if self.bad(args[0], n + 1):
                return "E %d %d" % (args[0], n)
            v.insert(args[0], args[1])
        elif op == "d":
            if self.bad(args[0], n):
                return "E %d %d" % (args[0], n)
            del v[args[0]]
        elif op == "r":
            if self.bad(args[0], n + 1):
                return "E %d %d" % (args[0], n)
            if args[1] < 0:
                return "E %d %d" % (args[1], n)
            del v[args[0]:args[0] + args[1]]
        elif op == "s":
            for k in args:
                if self.bad(k, n):
                    return "E %d %d" % (k, n)
            v[args[0]], v[args[1]] = v[args[1]], v[args[0]]
        elif op == "l":
            if v:
                v.append(v.pop(0))
        elif op == "f":
            return str(v.index(args[0]) if args[0] in v else -1)
        elif op == "q":
            return "q " + " ".join(repr(x) for x in self.stats())
        elif op == "p":
            return "p %d" % n + "".join(" " + repr(x) for x in v)
        return None


def random_value(rng):
    kind = rng.random()
    if kind < 0.5:
        return float(rng.randint(-20, 20)) / 2  # many equal values
    if kind < 0.8:
        return rng.uniform(-1e6, 1e6)
    return rng.uniform(-1, 1) * 10 ** rng.randint(-12, 12)  # sums that round


def random_operation(rng, size):
    r = rng.random()
    index = lambda extra: rng.randint(-2, size + extra)  # noqa: E731 (bad indexes now and then)
    if r < 0.45:
        return "a", [random_value(rng)]
    if r < 0.52:
        return "i", [index(2), random_value(rng)]
    if r < 0.64:
        return "d", [index(1)]
    if r < 0.68:
        return "r", [index(2), rng.randint(-1, 6)]
    if r < 0.72:
        return "s", [index(1), index(1)]
    if r < 0.74:
        return "l", []
    if r < 0.77:
        return "o", [rng.randint(0, 2)]
    if r < 0.80:
        return "f", [random_value(rng)]
    return "q", []


def text(op, args):
    return " ".join([op] + [repr(a) if isinstance(a, float) else str(a) for a in args])


def run(driver, seed):
    rng = random.Random(seed)
    model = Model()
    lines, expected = [], []
    for step in range(OPERATIONS):
        op, args = random_operation(rng, len(model.values))
        lines.append(text(op, args))
        out = model.apply(op, args)
        if out is not None:
            expected.append((step, lines[-1], out))
        if step % 100 == 99:
            lines.append("p")
            expected.append((step, "p", model.apply("p", [])))
    lines.append("q")
    expected.append((OPERATIONS, "q", model.apply("q", [])))
    result = subprocess.run([driver], input="\n".join(lines) + "\n", capture_output=True,
                            text=True, check=True)
    got = result.stdout.splitlines()
    if len(got) != len(expected):
        print("seed %d: %d output lines, model expects %d" % (seed, len(got), len(expected)))
        return False
    for (step, command, want), line in zip(expected, got):
        if not same(line, want):
            print("seed %d, step %d, '%s':\n  list:  %s\n  model: %s"
                  % (seed, step, command, line[:300], want[:300]))
            return False
    print("seed %d: %d operations, %d outputs agree, %d values at the end"
          % (seed, OPERATIONS, len(expected), len(model.values)))
    return True


def same(line, want):
    a, b = line.split(), want.split()
    if len(a) != len(b) or a[0] != b[0]:
        return False
    for x, y in zip(a[1:], b[1:]):
        if x != y and float(x) != float(y):
            return False
        if float(x) == 0 and float(y) == 0 and str(x).startswith("-") != str(y).startswith("-"):
            return False
    return True


def main():
    ok = all([run(sys.argv[1], seed) for seed in SEEDS])
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
