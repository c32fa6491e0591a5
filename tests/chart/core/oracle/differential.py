"""What the differential tests of the chart core share: random values, the plain statistics
loop, insertion by order as the value lists do it, and the run that feeds a driver and
compares its answers with a model's."""

import bisect
import random
import subprocess


def random_value(rng):
    kind = rng.random()
    if kind < 0.5:
        return float(rng.randint(-20, 20)) / 2  # many equal values
    if kind < 0.8:
        return rng.uniform(-1e6, 1e6)
    return rng.uniform(-1, 1) * 10 ** rng.randint(-12, 12)  # sums that round


def stats(values):
    """Highest, lowest, sum and sum of absolute values: a plain left-to-right loop."""
    if not values:
        return [0.0, 0.0, 0.0, 0.0]
    lo = hi = s = values[0]
    sa = abs(values[0])
    for v in values[1:]:
        if v < lo:
            lo = v
        elif v > hi:
            hi = v
        s += v
        sa += abs(v)
    return [hi, lo, s, sa]


def goes_after(order, existing, new):
    return existing > new if order == 1 else existing < new


def insert_position(values, order, x):
    """Where an append by order (0 none, 1 ascending, 2 descending) puts x: bisect_right while
    the values are sorted (on the negated list for descending order), else a scan down from the
    end for the first value that does not go after x."""
    if order == 0:
        return len(values)
    if all(not goes_after(order, values[i], values[i + 1]) for i in range(len(values) - 1)):
        if order == 1:
            return bisect.bisect_right(values, x)
        return bisect.bisect_right([-v for v in values], -x)
    i = len(values) - 1
    while i >= 0 and goes_after(order, values[i], x):
        i -= 1
    return i + 1


def text(op, args):
    return " ".join([op] + [repr(a) if isinstance(a, float) else str(a) for a in args])


def same(line, want):
    """Equal token by token; numbers compare as numbers (and zeros by their sign)."""
    a, b = line.split(), want.split()
    if len(a) != len(b):
        return False
    for x, y in zip(a, b):
        if x == y:
            continue
        try:
            fx, fy = float(x), float(y)
        except ValueError:
            return False
        if fx != fy or (fx == 0 and x.startswith("-") != y.startswith("-")):
            return False
    return True


def run(driver, seed, model, random_operation, operations, checkpoint, model_args=None):
    """Feeds `operations` random operations to the driver and the model, with a dump ("p")
    every `checkpoint` operations and statistics and a dump at the end; True when every answer
    agrees."""
    rng = random.Random(seed)
    lines, expected = [], []
    for step in range(operations):
        op, args = random_operation(rng, model.count())
        lines.append(text(op, args))
        out = model.apply(op, model_args(op, args) if model_args else args)
        if out is not None:
            expected.append((step, lines[-1], out))
        if step % checkpoint == checkpoint - 1:
            lines.append("p")
            expected.append((step, "p", model.apply("p", [])))
    for op in ("q", "p"):
        lines.append(op)
        expected.append((operations, op, model.apply(op, [])))
    result = subprocess.run([driver], input="\n".join(lines) + "\n", capture_output=True,
                            text=True, check=True)
    got = result.stdout.splitlines()
    if len(got) != len(expected):
        print("seed %d: %d output lines, model expects %d" % (seed, len(got), len(expected)))
        return False
    for (step, command, want), line in zip(expected, got):
        if not same(line, want):
            print("seed %d, step %d, '%s':\n  ours:  %s\n  model: %s"
                  % (seed, step, command, line[:400], want[:400]))
            return False
    print("seed %d: %d operations, %d outputs agree, %d entries at the end"
          % (seed, operations, len(expected), model.count()))
    return True
