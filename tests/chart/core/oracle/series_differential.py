#!/usr/bin/python3
"""Differential test of a chart series' point operations against a Python model.

A seeded random sequence of 10,000 operations per seed goes to the driver and to the model:
ordered adds (bisect.bisect_right while the X values are sorted by the current order, the
negated list for descending order; once swaps or a new order have left them unsorted, a scan
down from the end for the first value that does not go after the new one), adds at the count,
null points, deletes of one point and of ranges (with renumbering), swaps, sorts by the X order
and by the Y order (the library's quicksort, which the model runs step by step so that equal
values end where the series puts them), X and Y order changes, clears, and bad indexes among
them. Points carry colours (the colour list is made by the first own colour) and labels (the
label list grows only for a real label). Statistics are plain left-to-right loops (not fsum).
Every returned index, every error, every statistics reading and the whole series after each
batch must match.
"""

import sys

from differential import insert_position, random_value, run, stats

SEEDS = [20261211, 29, 777]
OPERATIONS = 10000
NO_COLOUR = 0x20000000
NULL_COLOUR = 0x1FFFFFFF
COLOURS = [NO_COLOUR, NO_COLOUR, NO_COLOUR, 0x0000FF, 0x00FF00, NULL_COLOUR]


class Labels:
    """One optional text per point; grows only for a real label."""

    def __init__(self):
        self.items = []

    def get(self, i):
        return self.items[i] if 0 <= i < len(self.items) else ""

    def insert(self, i, label):
        if i < 0 or (label == "" and not self.items):
            return
        if i > len(self.items):
            self.items.extend([""] * (i - len(self.items)))
        self.items.insert(i, label)

    def delete(self, i):
        if 0 <= i < len(self.items):
            del self.items[i]

    def exchange(self, a, b):
        if a == b or self.get(a) == self.get(b):
            return
        need = max(a, b) + 1
        if need > len(self.items):
            self.items.extend([""] * (need - len(self.items)))
        self.items[a], self.items[b] = self.items[b], self.items[a]


class Series:
    def __init__(self):
        self.x, self.y = [], []
        self.x_order, self.y_order = 1, 0
        self.colours = None
        self.labels = Labels()

    def count(self):
        return len(self.x)

    def error(self, index):
        return "E %d %d" % (index, self.count())

    def insert_colour(self, index, colour):
        if self.colours is None:
            if colour == NO_COLOUR:
                return
            self.colours = [NO_COLOUR] * (self.count() - 1)
        if index > len(self.colours):
            self.colours.extend([NO_COLOUR] * (index - len(self.colours)))
        self.colours.insert(index, colour)

    def add(self, x, y, colour, label):
        index = insert_position(self.x, self.x_order, x)
        self.x.insert(index, x)
        self.y.insert(index, y)
        self.insert_colour(index, colour)
        if label or self.labels.items:
            self.labels.insert(index, label)
        return str(index)

    def delete(self, index):
        if index < 0 or index >= self.count():
            return "D Series Delete: ValueIndex %d out of bounds (0 to %d)." % (index, self.count() - 1)
        del self.x[index]
        del self.y[index]
        if self.colours is not None and index < len(self.colours):
            del self.colours[index]
        self.labels.delete(index)
        return None

    def delete_range(self, start, n, renumber):
        if start < 0:
            return self.error(start)
        if start >= self.count() or n <= 0:
            return None
        del self.x[start:start + n]
        del self.y[start:start + n]
        if self.colours is not None:
            del self.colours[start:start + n]
            if not self.colours:
                self.colours = None
        del self.labels.items[start:start + n]
        if renumber:
            self.x = [float(i) for i in range(self.count())]
        return None

    def swap(self, a, b):
        for k in (a, b):
            if k < 0 or k >= self.count():
                return self.error(k)
        self.x[a], self.x[b] = self.x[b], self.x[a]
        self.y[a], self.y[b] = self.y[b], self.y[a]
        if self.colours is not None:
            need = max(a, b) + 1
            if need > len(self.colours):
                self.colours.extend([NO_COLOUR] * (need - len(self.colours)))
            self.colours[a], self.colours[b] = self.colours[b], self.colours[a]
        if self.labels.items:
            self.labels.exchange(a, b)
        return None

    def sort_by(self, values_name, order):
        """The library's quicksort: pivot followed by index, left part first."""
        if order == 0 or self.count() < 2:
            return

        def compare(a, b):
            values = getattr(self, values_name)
            r = (values[a] > values[b]) - (values[a] < values[b])
            return -r if order == 2 else r

        pending = [(0, self.count() - 1)]
        while pending:
            l, r = pending.pop()
            i, j, m = l, r, l + (r - l) // 2
            while i < j:
                while compare(i, m) < 0:
                    i += 1
                while compare(m, j) < 0:
                    j -= 1
                if i < j:
                    self.swap(i, j)
                    if i == m:
                        m = j
                    elif j == m:
                        m = i
                if i <= j:
                    i += 1
                    j -= 1
            if i < r:
                pending.append((i, r))
            if l < j:
                pending.append((l, j))

    def clear(self):
        self.x, self.y = [], []
        self.colours = None
        self.labels = Labels()

    def apply(self, op, args):
        if op == "o":
            self.x_order = args[0]
        elif op == "O":
            self.y_order = args[0]
        elif op == "a":
            return self.add(args[0], args[1], args[2], args[3])
        elif op == "v":
            return self.add(float(self.count()), args[0], args[1], args[2])
        elif op == "n":
            return self.add(args[0], args[1], NULL_COLOUR, "")
        elif op == "d":
            return self.delete(args[0])
        elif op == "r":
            return self.delete_range(args[0], args[1], args[2])
        elif op == "s":
            return self.swap(args[0], args[1])
        elif op == "S":
            self.sort_by("x", self.x_order)
        elif op == "A":
            self.sort_by("y", self.y_order)
            self.x = [float(i) for i in range(self.count())]
        elif op == "c":
            self.clear()
        elif op == "q":
            return "q " + " ".join(repr(v) for v in stats(self.x) + stats(self.y))
        elif op == "p":
            colours = "-" if self.colours is None else " ".join(str(c) for c in self.colours)
            labels = " ".join(l if l else "-" for l in self.labels.items)
            return ("p %d | %s | %s | %s | %d %s" % (
                self.count(), " ".join(repr(v) for v in self.x), " ".join(repr(v) for v in self.y),
                colours, len(self.labels.items), labels)).replace("  ", " ").strip()
        return None


def random_label(rng):
    return "-" if rng.random() < 0.7 else "L%d" % rng.randint(0, 999)


def random_operation(rng, size):
    r = rng.random()
    index = lambda extra: rng.randint(-2, size + extra)  # noqa: E731 (bad indexes now and then)
    if r < 0.40:
        return "a", [random_value(rng), random_value(rng), rng.choice(COLOURS), random_label(rng)]
    if r < 0.45:
        return "v", [random_value(rng), rng.choice(COLOURS), random_label(rng)]
    if r < 0.47:
        return "n", [random_value(rng), random_value(rng)]
    if r < 0.57:
        return "d", [index(1)]
    if r < 0.60:
        return "r", [index(2), rng.randint(-1, 8), rng.randint(0, 1)]
    if r < 0.66:
        return "s", [index(1), index(1)]
    if r < 0.68:
        return "S", []
    if r < 0.69:
        return "A", []
    if r < 0.715:
        return "o", [rng.randint(0, 2)]
    if r < 0.73:
        return "O", [rng.randint(0, 2)]
    if r < 0.7305:
        return "c", []
    return "q", []


def model_args(op, args):
    """The model takes labels as texts ("" for none)."""
    if op == "a":
        return [args[0], args[1], args[2], "" if args[3] == "-" else args[3]]
    if op == "v":
        return [args[0], args[1], "" if args[2] == "-" else args[2]]
    return args


def main():
    ok = all([run(sys.argv[1], seed, Series(), random_operation, OPERATIONS, 250, model_args)
              for seed in SEEDS])
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
