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

import sys

from differential import insert_position, random_value, run, stats

SEEDS = [20261210, 7, 4242]
OPERATIONS = 4000


class Model:
    def __init__(self):
        self.values = []
        self.order = 0

    def count(self):
        return len(self.values)

    def bad(self, index, limit):
        return index < 0 or index >= limit

    def apply(self, op, args):
        """Applies one operation; returns the expected output line or None."""
        v = self.values
        n = len(v)
        if op == "o":
            self.order = args[0]
        elif op == "a":
            i = insert_position(v, self.order, args[0])
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
            return "q " + " ".join(repr(x) for x in stats(v))
        elif op == "p":
            return "p %d" % n + "".join(" " + repr(x) for x in v)
        return None


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


def main():
    ok = all([run(sys.argv[1], seed, Model(), random_operation, OPERATIONS, 100)
              for seed in SEEDS])
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
