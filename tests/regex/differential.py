#!/usr/bin/python3
"""Differential test of the regular-expression engine against Python's re module.

Generates random (pattern, input) pairs from a grammar that both engines read the same way, runs
every pattern through the quorvan4-regex driver (all its inputs in one run) and compares the match
and group positions with re.search. Where the two disagree, pcre2test (Debian pcre2-utils) is asked
as a second opinion; a disagreement that PCRE2 does not settle in the engine's favour fails the test.

Known, intended differences, kept out of the generated pairs:
  - an operand that can match empty under "*", "+" or "{m,n}" is an error here (code 106); so is
    "x{0,n}" as the operand of another quantifier, and any group holding a back-reference;
  - "x{,n}" is a literal here, a quantifier in Python; "*+" and "++" are errors here (code 107);
  - modifiers are set only at the start of the pattern ("(?i)" elsewhere is an error in Python);
  - "\\10" is group 1 and "0" here (back-references are written "(?:\\N)" on the Python side);
  - "[\\d-z]": the "-" is a member here, an error in Python;
  - class ranges "а-я", "А-Я" and "а-Я" take in Ё/ё here (modifier r); the generator avoids them;
  - "$" is the end of the input only (Python "\\Z"); inputs hold no line breaks, LF or CR, since
    the driver reads one input per line and CR is a line separator here;
  - \\s is blank, tab, LF, CR and form feed (no vertical tab); \\w and \\b are ASCII;

The zero byte is an ordinary character of the input on both sides: inputs hold some, and
patterns name it as "\\x00".
"""

import os
import random
import re
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

SEED = 20261210
PATTERNS = 400
INPUTS_PER_PATTERN = 15

CYR = ["\xe0", "\xe1", "\xe2", "\xc0", "\xc1", "\xc2", "\xb8", "\xa8", "\xff", "\xdf"]
PLAIN = ["a", "b", "c", "0", "1", " ", "-", "."]
WORD = "0-9A-Za-z_"
PY_WORD = "[0-9A-Za-z_]"
PY_BOUNDARY = "(?:(?<=%s)(?!%s)|(?<!%s)(?=%s))" % (PY_WORD, PY_WORD, PY_WORD, PY_WORD)
PY_NOT_BOUNDARY = "(?:(?<=%s)(?=%s)|(?<!%s)(?!%s))" % (PY_WORD, PY_WORD, PY_WORD, PY_WORD)


def dec(s):
    """Our byte text (latin-1 str of cp1251 bytes) as the Unicode text Python matches."""
    return s.encode("latin-1").decode("cp1251")


class Piece:
    def __init__(self, ours, py, width, backref=False):
        self.ours, self.py, self.width, self.backref = ours, py, width, backref


class Gen:
    def __init__(self, rnd, cyrillic):
        self.r = rnd
        self.cyr = cyrillic
        self.groups = 0
        self.closed = []  # groups closed so far (and not enclosing the present position)
        self.open = []

    def char(self):
        pool = PLAIN + (CYR if self.cyr else [])
        return self.r.choice(pool)

    def literal(self):
        if self.r.random() < 0.08:
            return Piece("\\x00", "\\x00", True)
        c = self.char()
        ours = "\\" + c if c in ".-" and self.r.random() < 0.7 else c
        if c == "." and ours == ".":
            return Piece(".", ".", True)  # the dot itself
        return Piece(ours, re.escape(dec(c)), True)

    def class_item(self):
        k = self.r.random()
        if k < 0.05:
            return "\\x00", "\\x00"
        if k < 0.35:
            c = self.r.choice(["a", "b", "c", "0", "1", " ", "."] + (CYR if self.cyr else []))
            return c, re.escape(dec(c))
        if k < 0.55:
            lo, hi = self.r.choice([("a", "b"), ("a", "c"), ("0", "1"), ("b", "c")] +
                                   ([("\xe0", "\xe2"), ("\xc0", "\xc2"), ("\xe1", "\xff")]
                                    if self.cyr else []))
            return lo + "-" + hi, dec(lo) + "-" + dec(hi)
        if k < 0.65:
            return "\\-", "\\-"
        e = self.r.choice(["d", "s", "w"])
        return "\\" + e, {"d": "0-9", "s": " \\t\\n\\r\\f", "w": WORD}[e]

    def cls(self):
        neg = self.r.random() < 0.3
        items = [self.class_item() for _ in range(self.r.randint(1, 3))]
        ours = "[" + ("^" if neg else "") + "".join(i[0] for i in items) + "]"
        py = "[" + ("^" if neg else "") + "".join(i[1] for i in items) + "]"
        return Piece(ours, py, True)

    def escape_class(self):
        e = self.r.choice("dDsSwW")
        py = {"d": "[0-9]", "D": "[^0-9]", "s": "[ \\t\\n\\r\\f]", "S": "[^ \\t\\n\\r\\f]",
              "w": PY_WORD, "W": "[^" + WORD + "]"}[e]
        return Piece("\\" + e, py, True)

    def anchor(self):
        a = self.r.choice(["^", "$", "\\b", "\\B", "\\A", "\\Z"])
        py = {"^": "^", "$": "\\Z", "\\b": PY_BOUNDARY, "\\B": PY_NOT_BOUNDARY, "\\A": "\\A",
              "\\Z": "\\Z"}[a]
        return Piece(a, py, False)

    def backref(self):
        n = self.r.choice(self.closed)
        return Piece("\\%d" % n, "(?:\\%d)" % n, False, backref=True)

    def group(self, depth):
        if self.groups >= 9:
            return self.literal()
        self.groups += 1
        n = self.groups
        self.open.append(n)
        alts = [self.sequence(depth + 1) for _ in range(self.r.choice([1, 1, 2, 3]))]
        self.open.pop()
        self.closed.append(n)
        width = all(a.width for a in alts)
        backref = any(a.backref for a in alts)
        return Piece("(" + "|".join(a.ours for a in alts) + ")",
                     "(" + "|".join(a.py for a in alts) + ")", width, backref)

    def atom(self, depth):
        k = self.r.random()
        if k < 0.35:
            return self.literal()
        if k < 0.45:
            return Piece(".", ".", True)
        if k < 0.6:
            return self.cls()
        if k < 0.7:
            return self.escape_class()
        if k < 0.77:
            return self.anchor()
        if k < 0.82 and self.closed:
            return self.backref()
        if depth < 3:
            return self.group(depth)
        return self.literal()

    def quantified(self, depth):
        a = self.atom(depth)
        if self.r.random() < 0.55:
            return a
        can_repeat = a.width and not a.backref
        if a.backref and not a.ours.startswith("("):
            can_repeat = True  # a back-reference repeats on its own safely
        if a.ours in ("^", "$", "\\b", "\\B", "\\A", "\\Z"):
            return a
        choices = ["?"]
        if can_repeat:
            choices += ["*", "+", "{m}", "{m,}", "{m,n}"]
        q = self.r.choice(choices)
        width = False
        if q == "+":
            width = True
        elif q.startswith("{"):
            m = self.r.randint(0, 2)
            nmax = m + self.r.randint(0, 2)
            width = m > 0
            q = q.replace("m,n", "%d,%d" % (m, nmax)).replace("m", str(m))
        lazy = "?" if self.r.random() < 0.3 else ""
        return Piece(a.ours + q + lazy, a.py + q + lazy, width and not a.backref, a.backref)

    def sequence(self, depth):
        pieces = [self.quantified(depth) for _ in range(self.r.randint(1, 4 if depth else 5))]
        return Piece("".join(p.ours for p in pieces), "".join(p.py for p in pieces),
                     any(p.width for p in pieces), any(p.backref for p in pieces))

    def pattern(self):
        top = [self.sequence(0) for _ in range(self.r.choice([1, 1, 1, 2]))]
        return "|".join(t.ours for t in top), "|".join(t.py for t in top)


def make_input(rnd, pattern, cyrillic):
    lits = [c for c in pattern if c.isalnum() or c in " -." or c in CYR] or ["a"]
    pool = lits * 3 + PLAIN + ["\x00"] * 2 + (CYR if cyrillic else [])
    return "".join(rnd.choice(pool) for _ in range(rnd.randint(0, 10)))


def python_result(regex, text):
    m = regex.search(dec(text))
    if not m:
        return "nomatch"
    out = "match %d %d" % (m.start() + 1, m.end() - m.start())
    for g in range(1, (regex.groups or 0) + 1):
        s, e = m.span(g)
        if s >= 0:
            out += " g%d %d %d" % (g, s + 1, e - s)
    return out


def run_driver(driver, pattern, inputs):
    data = "".join(i + "\n" for i in inputs).encode("latin-1")
    proc = subprocess.run([driver, pattern.encode("latin-1")], input=data,
                          stdout=subprocess.PIPE, check=True)
    return proc.stdout.decode("latin-1").split("\n")[:len(inputs)]


def pcre2_results(cases):
    """Asks pcre2test about (python pattern, flags, input) triples; returns result lines."""
    lines = []
    for py, flags, text in cases:
        mods = "allaftertext"
        if flags & re.I:
            mods += ",caseless"
        if flags & re.S:
            mods += ",dotall"
        if flags & re.M:
            mods += ",multiline"
        body = py.encode("cp1251").replace(b"/", b"\\/")
        lines.append(b"/" + body + b"/" + mods.encode())
        lines.append("".join("\\x%02x" % ord(c) for c in text).encode() or b"\\=")
        lines.append(b"")
    with tempfile.NamedTemporaryFile(suffix=".txt", delete=False) as f:
        f.write(b"\n".join(lines) + b"\n")
        name = f.name
    try:
        out = subprocess.run(["pcre2test", name], stdout=subprocess.PIPE).stdout.decode("latin-1")
    finally:
        os.unlink(name)

    def unescape(s):
        s = re.sub(r"\\x\{([0-9a-fA-F]+)\}", lambda m: chr(int(m.group(1), 16)), s)
        return re.sub(r"\\x([0-9a-fA-F]{2})", lambda m: chr(int(m.group(1), 16)), s)

    results = []
    blocks = out.split("\n/")[1:]
    for (py, flags, text), block in zip(cases, blocks):
        if "No match" in block:
            results.append("nomatch")
            continue
        spans = {}
        matched = dict(re.findall(r"^ ?(\d+): (.*)$", block, re.M))
        after = dict(re.findall(r"^ ?(\d+)\+ (.*)$", block, re.M))
        for g, t in matched.items():
            if t == "<unset>" or g not in after:
                continue
            end = len(text) - len(unescape(after[g]))
            spans[int(g)] = (end - len(unescape(t)) + 1, len(unescape(t)))
        if 0 not in spans:
            results.append("pcre2 error")
            continue
        out_line = "match %d %d" % spans[0]
        for g in sorted(k for k in spans if k):
            out_line += " g%d %d %d" % (g, *spans[g])
        results.append(out_line)
    return results


def main():
    # differential.py DRIVER [PATTERNS [SEED]]: a longer run with another seed is one call away.
    driver = sys.argv[1]
    patterns = int(sys.argv[2]) if len(sys.argv) > 2 else PATTERNS
    rnd = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else SEED)
    pairs = 0
    matches = 0
    python_rejects = 0
    mismatches = []
    jobs = []
    for _ in range(patterns):
        cyrillic = rnd.random() < 0.25
        g = Gen(rnd, cyrillic)
        ours, py = g.pattern()
        flags = re.S
        prefix = ""
        k = rnd.random()
        if k < 0.2 or (cyrillic and k < 0.5):
            prefix, flags = "(?i)", flags | re.I
        elif k < 0.3:
            prefix, flags = "(?m)", flags | re.M
        elif k < 0.4:
            prefix, flags = "(?-s)", flags & ~re.S
        try:
            regex = re.compile(py, flags)
        except re.error:
            python_rejects += 1
            continue
        inputs = [make_input(rnd, ours, cyrillic) for _ in range(INPUTS_PER_PATTERN)]
        jobs.append((prefix + ours, py, flags, regex, inputs))

    # Starting a process is the slow part: run the driver for several patterns at once.
    with ThreadPoolExecutor(max_workers=os.cpu_count() or 4) as pool:
        outputs = list(pool.map(lambda j: run_driver(driver, j[0], j[4]), jobs))
    for (pattern, py, flags, regex, inputs), got in zip(jobs, outputs):
        for text, result in zip(inputs, got):
            pairs += 1
            expected = python_result(regex, text)
            matches += expected.startswith("match")
            if result != expected:
                mismatches.append((pattern, py, flags, text, expected, result))

    explained = []
    unexplained = list(mismatches)
    if mismatches:
        second = pcre2_results([(m[1], m[2], m[3]) for m in mismatches])
        unexplained = []
        for m, pcre in zip(mismatches, second):
            (explained if pcre == m[5] else unexplained).append(m + (pcre,))

    print("compared %d pairs (%d of them matching) from %d patterns (%d rejected by Python)" %
          (pairs, matches, patterns, python_rejects))
    print("disagreements with Python: %d, settled by PCRE2 in the engine's favour: %d" %
          (len(mismatches), len(explained)))
    for m in explained[:20]:
        print("  python differs: %r on %r: python %s, engine and pcre2 %s" %
              (m[0], m[3], m[4], m[5]))
    for m in unexplained[:40]:
        print("MISMATCH %r on %r: python %s, pcre2 %s, engine %s" %
              (m[0], m[3], m[4], m[6] if len(m) > 6 else "-", m[5]))
    return 1 if unexplained else 0


if __name__ == "__main__":
    sys.exit(main())
