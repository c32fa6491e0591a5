#!/usr/bin/python3
"""The stored point block of a series against a model written with Python's struct module.

The block: flags (1 not-mandatory values, 2 colours, 4 labels, 8 mark positions), a signed
32-bit count, then per point [double not-mandatory], double mandatory, [uint32 colour],
[length byte + Windows-1251 bytes], a double per further value list, [34-byte mark position
'<iiBiiBiiii'], all little-endian without padding.

Three directions, for vertical and horizontal series with 0 to 2 further value lists:
- blocks packed here, with any flags, are read by the driver: the series must hold the points
  as AddXYValue puts them (ordered by X for a vertical series) and the positions in block order;
- series built in the driver are written: the bytes must equal the block packed here from the
  same points with the flags chosen here (every point looked at, labels cut at 255 bytes), and
  unpacking them here gives the points back;
- that block, unpacked and packed again here, reads back in the driver to the same series;
- every cut of some blocks fails with EReadError, the batch closed and the points before the
  cut kept.
"""

import bisect
import random
import struct
import subprocess
import sys

from differential import random_value

NO_COLOUR = 0x20000000
NULL_COLOUR = 0x1FFFFFFF
POSITION = struct.Struct("<iiBiiBiiii")
# Every Windows-1251 character from the blank up, bar the one byte the codec leaves unassigned.
ALPHABET = bytes(b for b in range(0x20, 0x100) if b != 0x98).decode("cp1251")
SEEDS = range(60)


class Point:
    def __init__(self, x, y, colour, label, extras, position):
        self.x, self.y, self.colour, self.label = x, y, colour, label
        self.extras, self.position = extras, position


# ---- the block -------------------------------------------------------------------------------


def pack(flags, points, horizontal):
    out = [struct.pack("<Bi", flags, len(points))]
    for p in points:
        first, second = (p.y, p.x) if horizontal else (p.x, p.y)
        if flags & 1:
            out.append(struct.pack("<d", first))
        out.append(struct.pack("<d", second))
        if flags & 2:
            out.append(struct.pack("<I", p.colour))
        if flags & 4:
            raw = p.label.encode("cp1251")[:255]
            out.append(struct.pack("<B", len(raw)) + raw)
        for v in p.extras:
            out.append(struct.pack("<d", v))
        if flags & 8:
            out.append(POSITION.pack(*(p.position or (0,) * 10)))
    return b"".join(out)


def unpack(block, horizontal, extra_lists):
    flags, count = struct.unpack_from("<Bi", block, 0)
    at, points = 5, []
    for i in range(count):
        first = float(i)
        if flags & 1:
            (first,) = struct.unpack_from("<d", block, at)
            at += 8
        (second,) = struct.unpack_from("<d", block, at)
        at += 8
        x, y = (second, first) if horizontal else (first, second)
        colour, label, position = NO_COLOUR, "", None
        if flags & 2:
            (colour,) = struct.unpack_from("<I", block, at)
            at += 4
        if flags & 4:
            n = block[at]
            label = block[at + 1:at + 1 + n].decode("cp1251")
            at += 1 + n
        extras = list(struct.unpack_from("<%dd" % extra_lists, block, at))
        at += 8 * extra_lists
        if flags & 8:
            position = POSITION.unpack_from(block, at)
            at += POSITION.size
        points.append(Point(x, y, colour, label, extras, position))
    if at != len(block):
        raise ValueError("%d bytes after the points" % (len(block) - at))
    return flags, points


def flags_for(points, series_colour, horizontal):
    """What a series holding these points stores, looking at every point."""
    flags = 0
    if any((p.y if horizontal else p.x) != i for i, p in enumerate(points)):
        flags |= 1
    if any(p.colour not in (NO_COLOUR, series_colour) for p in points):
        flags |= 2
    if any(p.label for p in points):
        flags |= 4
    if any(p.position and p.position[5] for p in points):
        flags |= 8
    return flags


# ---- the series model ------------------------------------------------------------------------


def stored_label(label):
    return label.encode("cp1251")[:255].decode("cp1251")


def as_read(flags, points, horizontal):
    """The series AddXYValue builds from the block's points: a vertical series keeps X
    ascending (a new point after equal values: bisect_right), a horizontal one keeps arrival
    order; the mark positions stay in block order."""
    xs, series = [], []
    for i, p in enumerate(points):
        x, y = p.x, p.y
        if not flags & 1:  # the positions are the indexes
            x, y = (x, float(i)) if horizontal else (float(i), y)
        at = len(xs) if horizontal else bisect.bisect_right(xs, x)
        xs.insert(at, x)
        colour = p.colour if flags & 2 else NO_COLOUR
        series.insert(at, (x, y, colour, stored_label(p.label) if flags & 4 else "", p.extras))
    positions = [p.position or (0,) * 10 for p in points] if flags & 8 else []
    return series, positions


def dump(series, positions):
    lines = []
    for x, y, colour, label, extras in series:
        label_hex = label.encode("utf-8").hex() if label else "-"
        lines.append(" ".join(["p", repr(x), repr(y), str(colour), label_hex]
                              + [repr(v) for v in extras]))
    for pos in positions:
        lines.append("m " + " ".join(str(v) for v in pos))
    return lines


def same_line(ours, want):
    a, b = ours.split(), want.split()
    if len(a) != len(b):
        return False
    for x, y in zip(a, b):
        if x != y:
            try:
                if float(x) != float(y):
                    return False
            except ValueError:
                return False
    return True


# ---- random content --------------------------------------------------------------------------


def random_label(rng):
    kind = rng.random()
    if kind < 0.5:
        return ""
    n = rng.choice([1, 3, 12, 254, 255, 256, 300]) if kind > 0.9 else rng.randint(1, 20)
    return "".join(rng.choice(ALPHABET) for _ in range(n))


def random_position(rng):
    big = 2 ** 31 - 1
    ints = [rng.choice([0, 5, -7, big, -big - 1, rng.randint(-big - 1, big)]) for _ in range(8)]
    return (ints[0], ints[1], rng.randint(0, 1), ints[2], ints[3], rng.randint(0, 1),
            ints[4], ints[5], ints[6], ints[7])


def random_points(rng, horizontal, extra_lists, series_colour):
    n = rng.choice([0, 1, 2, 5, 17, 40, 40, 200])
    own_positions = rng.random() < 0.6
    colours = rng.random() < 0.5
    labels = rng.random() < 0.5
    marks = rng.random() < 0.4
    points = []
    for i in range(n):
        position = float(i)
        if own_positions:
            position = random_value(rng) if horizontal else float(i) + rng.choice([0, 0, 0.5, 3])
        value = random_value(rng)
        colour = NO_COLOUR
        if colours:
            colour = rng.choice([NO_COLOUR, NO_COLOUR, series_colour, NULL_COLOUR,
                                 rng.randint(0, 0xFFFFFF)])
        x, y = (value, position) if horizontal else (position, value)
        points.append(Point(x, y, colour, random_label(rng) if labels else "",
                            [random_value(rng) for _ in range(extra_lists)],
                            random_position(rng) if marks and rng.random() < 0.5 else None))
    return points


def far_along(rng, horizontal):
    """12,000 plain points of which only the last has something of its own."""
    points = []
    for i in range(12000):
        x, y = (1.0, float(i)) if horizontal else (float(i), 1.0)
        points.append(Point(x, y, NO_COLOUR, "", [], None))
    last = points[-1]
    what = rng.choice(["position", "colour", "label", "mark"])
    if what == "position" and horizontal:
        last.y = 12000.5
    elif what == "position":
        last.x = 12000.5
    elif what == "colour":
        last.colour = 0x0000FF
    elif what == "label":
        last.label = "Конец"
    else:
        last.position = (1, 2, 0, 3, 4, 1, 5, 6, 7, 8)
    return points


# ---- the driver ------------------------------------------------------------------------------


class Driver:
    def __init__(self, path, horizontal, extra_lists):
        self.args = [path, str(int(horizontal)), str(extra_lists)]
        self.lines, self.expect = [], []

    def write(self, colour, points, check):
        self.lines.append("w %d" % colour)
        for p in points:
            label = p.label.encode("utf-8").hex() if p.label else "-"
            self.lines.append(" ".join(["a", repr(p.x), repr(p.y), str(p.colour), label]
                                       + [repr(v) for v in p.extras]))
        for i, p in enumerate(points):
            if p.position:
                self.lines.append("m %d " % i + " ".join(str(v) for v in p.position))
        self.lines.append("W")
        self.expect.append(check)

    def read(self, block, check):
        self.lines.append("R " + (block.hex() or "-"))
        self.expect.append(check)

    def run(self):
        out = subprocess.run(self.args, input="\n".join(self.lines) + "\n", capture_output=True,
                             text=True, check=True).stdout
        answers, current = [], []
        for line in out.splitlines():
            if line == "end":
                answers.append(current)
                current = []
            else:
                current.append(line)
        if len(answers) != len(self.expect):
            return ["%d answers for %d requests" % (len(answers), len(self.expect))]
        failures = []
        for answer, check in zip(answers, self.expect):
            failures += check(answer)
        return failures


def expect_series(what, status, series, positions):
    want = [status, "update 0", "manual %d" % (status == "ok")] + dump(series, positions)

    def check(answer):
        if len(answer) != len(want):
            return ["%s: %d lines, model %d\n  ours:  %s\n  model: %s"
                    % (what, len(answer), len(want), answer[:6], want[:6])]
        for ours, model in zip(answer, want):
            if not same_line(ours, model):
                return ["%s:\n  ours:  %s\n  model: %s" % (what, ours[:300], model[:300])]
        return []
    return check


def expect_block(what, again, series_colour, points, horizontal, extra_lists):
    flags = flags_for(points, series_colour, horizontal)
    want = pack(flags, points, horizontal)

    def check(answer):
        if len(answer) != 1 or not answer[0].startswith("block "):
            return ["%s: no block: %s" % (what, answer[:3])]
        block = bytes.fromhex(answer[0][6:])
        if block != want:
            at = next((i for i in range(min(len(block), len(want))) if block[i] != want[i]),
                      min(len(block), len(want)))
            return ["%s: blocks differ at byte %d (ours %d bytes, model %d)"
                    % (what, at, len(block), len(want))]
        got_flags, got = unpack(block, horizontal, extra_lists)
        for p, q in zip(points, got):
            label = stored_label(p.label) if flags & 4 else ""
            colour = p.colour if flags & 2 else NO_COLOUR
            if (q.x, q.y, q.colour, q.label, q.extras) != (p.x, p.y, colour, label, p.extras):
                return ["%s: a point unpacks differently" % what]
            if flags & 8 and q.position != (p.position or (0,) * 10):
                return ["%s: a mark position unpacks differently" % what]
        # The block, unpacked and packed again here, reads back in the driver.
        series, positions = as_read(got_flags, got, horizontal)
        again.read(pack(got_flags, got, horizontal),
                    expect_series(what + ", read back", "ok", series, positions))
        return []
    return check


def record_ends(flags, points, horizontal):
    """The byte after each whole point record of a block."""
    ends, at = [], 5
    for p in points:
        at += len(pack(flags, [p], horizontal)) - 5
        ends.append(at)
    return ends


def run_shape(path, horizontal, extra_lists):
    first = Driver(path, horizontal, extra_lists)
    again = Driver(path, horizontal, extra_lists)  # blocks repacked from what ours wrote
    for seed in SEEDS:
        rng = random.Random(seed * 10 + extra_lists + 100 * horizontal)
        what = "seed %d (%s, %d further lists)" % (
            seed, "horizontal" if horizontal else "vertical", extra_lists)
        colour = rng.choice([0x00FF00, 0x0000FF, NO_COLOUR])
        points = random_points(rng, horizontal, extra_lists, colour)
        if seed % 20 == 19 and extra_lists == 0:
            points = far_along(rng, horizontal)
        # Any flags read: bits the content does not need still carry their fields.
        flags = rng.randint(0, 15)
        series, positions = as_read(flags, points, horizontal)
        block = pack(flags, points, horizontal)
        first.read(block, expect_series(what + ", packed here", "ok", series, positions))
        if seed % 10 == 3 and len(points) > 1:
            ends = record_ends(flags, points[:40], horizontal)
            for cut in range(min(len(block), ends[-1])):
                whole = sum(1 for end in ends if end <= cut)
                cut_series, cut_positions = as_read(flags, points[:whole], horizontal)
                first.read(block[:cut], expect_series("%s, cut at %d" % (what, cut),
                                                      "error EReadError", cut_series,
                                                      cut_positions))
        # Written by the driver: vertical series take their points in X order.
        if not horizontal:
            points = [p for _, p in sorted(enumerate(points), key=lambda t: (t[1].x, t[0]))]
        first.write(colour, points, expect_block(what + ", written", again, colour, points,
                                                 horizontal, extra_lists))
    return first.run() + again.run()


def main():
    path = sys.argv[1]
    failures = []
    for horizontal in (False, True):
        for extra_lists in (0, 1, 2):
            failures += run_shape(path, horizontal, extra_lists)
    for f in failures[:20]:
        print(f)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
