#!/usr/bin/python3
"""Cross-checks of the localisation text routines against Python.

  oracle.py findreplace DRIVER  10,000 generated cases of FindText/ReplaceText against
                                bytes.find and bytes.replace (an empty old text is left out:
                                Python inserts between every byte, ReplaceText matches nothing).
  oracle.py charsets DRIVER     1,000 random strings for every charset name, converted both ways
                                (and to UTF-16) and compared with Python's codecs.
  oracle.py ini DRIVER          an ini file written by the driver reads in configparser with the
                                same sections, keys and values; a configparser file reads back
                                in the driver the same way.
"""

import configparser
import os
import random
import subprocess
import sys
import tempfile
import unicodedata

SEED = 20261210

CHARSETS = [  # name, charset number, Python codec of its code page
    ("ANSI_CHARSET", 0, "cp1252"), ("DEFAULT_CHARSET", 1, "cp1251"),
    ("SYMBOL_CHARSET", 2, "cp1251"), ("MAC_CHARSET", 77, "cp1251"),
    ("SHIFTJIS_CHARSET", 128, "cp932"), ("HANGEUL_CHARSET", 129, "cp949"),
    ("JOHAB_CHARSET", 130, "johab"), ("GB2312_CHARSET", 134, "gbk"),
    ("CHINESEBIG5_CHARSET", 136, "cp950"), ("GREEK_CHARSET", 161, "cp1253"),
    ("TURKISH_CHARSET", 162, "cp1254"), ("VIETNAMESE_CHARSET", 163, "cp1258"),
    ("HEBREW_CHARSET", 177, "cp1255"), ("ARABIC_CHARSET", 178, "cp1256"),
    ("BALTIC_CHARSET", 186, "cp1257"), ("RUSSIAN_CHARSET", 204, "cp1251"),
    ("THAI_CHARSET", 222, "cp874"), ("EASTEUROPE_CHARSET", 238, "cp1250"),
    ("OEM_CHARSET", 255, "cp1251"),
]


def hx(b):
    return b.hex() if b else "-"


def unhx(s):
    return b"" if s == "-" else bytes.fromhex(s)


def run(driver, lines, *args):
    out = subprocess.run([driver, *args], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, check=True).stdout
    return out.splitlines()


def find_replace(driver):
    rng = random.Random(SEED)
    alphabet = b"ab\x00\x01\xe0\xff"
    def rand_bytes(n):
        return bytes(rng.choice(alphabet) for _ in range(n))
    cases, expected = [], []
    for i in range(10000):
        text = rand_bytes(rng.randint(0, 40))
        if i % 2 == 0:
            pat = rand_bytes(rng.randint(0, 5))
            if rng.random() < 0.3 and text:  # a pattern taken from the text
                a = rng.randrange(len(text))
                pat = text[a:a + rng.randint(1, 6)]
            cases.append("F %s %s" % (hx(pat), hx(text)))
            expected.append(str(text.find(pat) + 1))
        else:
            old = rand_bytes(rng.randint(1, 3))
            new = rand_bytes(rng.randint(0, 4))
            every = rng.random() < 0.5
            cases.append("R %d %s %s %s" % (every, hx(old), hx(new), hx(text)))
            expected.append(hx(text.replace(old, new) if every else text.replace(old, new, 1)))
    got = run(driver, cases)
    bad = [(c, e, g) for c, e, g in zip(cases, expected, got) if e != g]
    for c, e, g in bad[:10]:
        print("MISMATCH", c, "expected", e, "got", g)
    print("find/replace: %d cases, %d mismatches" % (len(cases), len(bad)))
    return len(got) == len(cases) and not bad


def repertoire(codec):
    """The characters of a code page that one byte sequence alone stands for. Left out, where
    vendor tables differ between Python and the system's converter: characters with more than
    one sequence (cp932's duplicate NEC/IBM rows), combining marks (the system composes them in
    cp1255 and cp1258), user-defined rows mapped to private use (U+E000-U+F8FF) and C1 controls
    (the system's cp932 has neither), and cp950's rows C6A1-C8FE, which Python fills from plain Big5 and the
    Windows table leaves to private use."""
    seqs = {}
    candidates = [bytes([b]) for b in range(0x20, 0x100)]
    if codec in ("cp932", "cp949", "johab", "gbk", "cp950"):
        candidates += [bytes([a, b]) for a in range(0x80, 0x100) for b in range(0x30, 0x100)]
    for b in candidates:
        try:
            c = b.decode(codec)
        except UnicodeError:
            continue
        if len(c) == 1 and not (0xD800 <= ord(c) < 0xF900) and ord(c) >= 0x20 and not 0x7F <= ord(c) < 0xA0:
            seqs.setdefault(c, []).append(b)
    chars = []
    for c, bs in sorted(seqs.items()):
        if len(bs) != 1 or unicodedata.combining(c) or c.encode(codec) != bs[0]:
            continue
        if codec == "cp950" and len(bs[0]) == 2 and 0xC6A1 <= int.from_bytes(bs[0], "big") <= 0xC8FE:
            continue
        chars.append(c)
    return chars


def charsets(driver):
    rng = random.Random(SEED)
    ok = True
    for name, number, codec in CHARSETS:
        chars = repertoire(codec)
        cases, expected = [], []
        for _ in range(1000):
            s = "".join(rng.choice(chars) for _ in range(rng.randint(0, 12)))
            b = s.encode(codec)
            u = s.encode("utf-8")
            cases += ["A %d %s" % (number, hx(b)), "U %d %s" % (number, hx(u)),
                      "W %d %s" % (number, hx(b))]
            expected += [hx(u), hx(b), hx(s.encode("utf-16-le"))]
        got = run(driver, cases)
        bad = [(c, e, g) for c, e, g in zip(cases, expected, got) if e != g]
        for c, e, g in bad[:5]:
            print("MISMATCH", name, c, "expected", e, "got", g)
        print("%-20s %-7s %d strings, %d mismatches" % (name, codec, 1000, len(bad)))
        ok = ok and len(got) == len(cases) and not bad
    return ok


def ini(driver):
    rng = random.Random(SEED)
    name_chars = "abcXYZ019_" + "абвгдЖЗИЁё"
    value_chars = name_chars + " =;[]#%"
    def name():
        return "".join(rng.choice(name_chars) for _ in range(rng.randint(1, 8)))
    def value():
        v = "".join(rng.choice(value_chars) for _ in range(rng.randint(0, 12)))
        return v.strip(" ;#[")
    def unique(existing):
        while True:
            n = name()
            if n.lower() not in (e.lower() for e in existing):
                return n
    data = {}
    for _ in range(12):
        sec = unique(data)
        keys = {}
        for _ in range(rng.randint(1, 10)):
            keys[unique(keys)] = value()
        data[sec] = keys

    def parser():
        p = configparser.RawConfigParser(delimiters=("=",), comment_prefixes=(";",),
                                         strict=True, interpolation=None)
        p.optionxform = str
        return p

    ok = True
    with tempfile.TemporaryDirectory() as tmp:
        ours = os.path.join(tmp, "ours.ini")
        lines = ["%s %s %s" % (hx(s.encode("cp1251")), hx(k.encode("cp1251")),
                               hx(v.encode("cp1251")))
                 for s, keys in data.items() for k, v in keys.items()]
        run(driver, lines, "ini-write", ours)
        p = parser()
        with open(ours, encoding="cp1251", newline="") as f:
            p.read_file(f)
        read = {s: dict(p.items(s)) for s in p.sections()}
        if read != data:
            print("configparser reads our file differently")
            ok = False
        print("our file in configparser: %d sections, %d keys, same: %s"
              % (len(read), sum(len(k) for k in read.values()), read == data))

        theirs = os.path.join(tmp, "theirs.ini")
        p = parser()
        p.read_dict(data)
        with open(theirs, "w", encoding="cp1251") as f:
            p.write(f, space_around_delimiters=False)
        back = {}
        for line in run(driver, [], "ini-read", theirs):
            s, k, v = (unhx(x).decode("cp1251") for x in line.split(" "))
            back.setdefault(s, {})[k] = v
        if back != data:
            print("we read configparser's file differently")
            ok = False
        print("configparser's file in ours: %d sections, same: %s" % (len(back), back == data))
    return ok


def main():
    part, driver = sys.argv[1], sys.argv[2]
    ok = {"findreplace": find_replace, "charsets": charsets, "ini": ini}[part](driver)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
