#!/usr/bin/python3
"""The stored "Items" block of series marks against a model written with Python's struct module.

The block: a signed 32-bit item count, then per item a property list in the description
format: the list start (1), for an item that exists its stored properties, each a name (length
byte + bytes) and a value, then the list end (0). Values used here: 2/3/4 signed 8/16/32-bit
integers, 6 string (length byte + Windows-1251), 12 long string (32-bit length +
Windows-1251), 18 wide string (32-bit count of UTF-16 units + UTF-16LE), 20 UTF-8 string
(32-bit length + bytes), 7 identifier, 8 False, 9 True, and a list (1 ... 0) of strings for
"Text.Strings". Colours are identifiers such as clRed or numbers; the font's size is stored as
"Font.Height", minus the size in pixels at 96 pixels per inch.

Three directions, over seeded random items (colours, visibility, transparency, bevel widths,
font sizes, texts in Russian, long texts, texts outside Windows-1251, missing items):
- blocks packed here (with any of the value forms above) load in the driver to the same items;
- blocks the driver writes unpack here to the items it was given;
- every cut of some packed blocks, and counts beyond the bytes or below zero, are refused.
"""

import random
import struct
import subprocess
import sys

SEEDS = range(40)
INFO_BACKGROUND = 0xFF000018
DEFAULTS = {"color": INFO_BACKGROUND, "visible": 1, "transparent": 0, "bevel": 2, "size": 8}
IDENTS = {
    "clBlack": 0x000000, "clMaroon": 0x000080, "clGreen": 0x008000, "clNavy": 0x800000,
    "clRed": 0x0000FF, "clLime": 0x00FF00, "clYellow": 0x00FFFF, "clBlue": 0xFF0000,
    "clAqua": 0xFFFF00, "clWhite": 0xFFFFFF, "clGray": 0x808080, "clSilver": 0xC0C0C0,
    "clInfoBk": INFO_BACKGROUND,
}
WORDS = ["Стоянка", "Поворот", "Въезд в зону", "Ёлка", "ab", "", "Заправка №5", "100 %"]


def mul_div(a, b, c):
    """The platform's MulDiv: the rounded quotient, halves away from zero."""
    n = a * b
    q, r = divmod(abs(n), c)
    if 2 * r >= c:
        q += 1
    return q if n >= 0 else -q


# ---- packing --------------------------------------------------------------------------------


def short_str(text):
    data = text.encode("cp1251")
    return struct.pack("<B", len(data)) + data


def integer(n, form):
    code, fmt = {"8": (2, "<b"), "16": (3, "<h"), "32": (4, "<i")}[form]
    return struct.pack("<B", code) + struct.pack(fmt, n)


def smallest_integer(n):
    for form, low, high in (("8", -128, 127), ("16", -32768, 32767)):
        if low <= n <= high:
            return integer(n, form)
    return integer(n, "32")


def string_value(text, rng):
    try:
        data = text.encode("cp1251")
    except UnicodeEncodeError:
        data = None
    forms = ["utf8", "wide"]
    if data is not None:
        forms.append("long")
        if len(data) <= 255:
            forms.append("short")
    form = rng.choice(forms)
    if form == "short":
        return struct.pack("<BB", 6, len(data)) + data
    if form == "long":
        return struct.pack("<Bi", 12, len(data)) + data
    if form == "utf8":
        raw = text.encode("utf-8")
        return struct.pack("<Bi", 20, len(raw)) + raw
    wide = text.encode("utf-16-le")
    return struct.pack("<Bi", 18, len(wide) // 2) + wide


def colour_value(colour, rng):
    names = [name for name, value in IDENTS.items() if value == colour]
    if names and rng.random() < 0.7:
        return struct.pack("<B", 7) + short_str(names[0])
    signed = colour - (1 << 32) if colour >= 1 << 31 else colour
    return smallest_integer(signed) if rng.random() < 0.5 else integer(signed, "32")


def pack_item(item, rng):
    out = [b"\x01"]
    if item is not None:
        props = []
        if item["color"] != INFO_BACKGROUND or rng.random() < 0.3:
            props.append(short_str("Color") + colour_value(item["color"], rng))
        if not item["visible"] or rng.random() < 0.3:
            props.append(short_str("Visible") + (b"\x09" if item["visible"] else b"\x08"))
        if item["transparent"] or rng.random() < 0.3:
            props.append(short_str("Transparent") + (b"\x09" if item["transparent"] else b"\x08"))
        if item["bevel"] != 2 or rng.random() < 0.3:
            props.append(short_str("BevelWidth") + smallest_integer(item["bevel"]))
        if item["size"] != 8 or rng.random() < 0.3:
            props.append(short_str("Font.Height") + smallest_integer(-mul_div(item["size"], 96, 72)))
        if item["text"]:
            lines = b"".join(string_value(t, rng) for t in item["text"])
            props.append(short_str("Text.Strings") + b"\x01" + lines + b"\x00")
        rng.shuffle(props)
        out.extend(props)
    out.append(b"\x00")
    return b"".join(out)


def pack(items, rng):
    return struct.pack("<i", len(items)) + b"".join(pack_item(i, rng) for i in items)


# ---- unpacking ------------------------------------------------------------------------------


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from(fmt, self.data, self.at)
        self.at += struct.calcsize(fmt)
        return values[0] if len(values) == 1 else values

    def short(self):
        n = self.take("<B")
        raw = self.data[self.at:self.at + n]
        self.at += n
        return raw

    def value(self):
        code = self.take("<B")
        if code in (2, 3, 4):
            return self.take({2: "<b", 3: "<h", 4: "<i"}[code])
        if code == 6:
            return self.short().decode("cp1251")
        if code == 7:
            return ("ident", self.short().decode("ascii"))
        if code in (8, 9):
            return code == 9
        if code == 12:
            n = self.take("<i")
            raw = self.data[self.at:self.at + n]
            self.at += n
            return raw.decode("cp1251")
        if code == 20:
            n = self.take("<i")
            raw = self.data[self.at:self.at + n]
            self.at += n
            return raw.decode("utf-8")
        if code == 18:
            n = self.take("<i")
            raw = self.data[self.at:self.at + 2 * n]
            self.at += 2 * n
            return raw.decode("utf-16-le")
        if code == 1:
            values = []
            while self.data[self.at] != 0:
                values.append(self.value())
            self.at += 1
            return values
        raise ValueError("value type %d at %d" % (code, self.at - 1))


def unpack(data):
    r = Reader(data)
    count = r.take("<i")
    items = []
    for _ in range(count):
        assert r.take("<B") == 1, "an item opens with a list"
        props = {}
        while r.data[r.at] != 0:
            name = r.short().decode("ascii")
            props[name] = r.value()
        r.at += 1
        items.append(props)
    assert r.at == len(data), "bytes after the last item"
    return items


def colour_of(value):
    if isinstance(value, tuple):
        return IDENTS[value[1]]
    return value & 0xFFFFFFFF


def item_of(props):
    """The item a property list stands for, defaults filled in."""
    item = dict(DEFAULTS, text=[])
    for name, value in props.items():
        if name == "Color":
            item["color"] = colour_of(value)
        elif name == "Visible":
            item["visible"] = int(value)
        elif name == "Transparent":
            item["transparent"] = int(value)
        elif name == "BevelWidth":
            item["bevel"] = value
        elif name == "Font.Height":
            item["size"] = mul_div(-value, 72, 96)
        elif name == "Text.Strings":
            item["text"] = value
        else:
            raise ValueError("unexpected property " + name)
    return item


# ---- random items ---------------------------------------------------------------------------


def random_text(rng):
    kind = rng.random()
    if kind < 0.6:
        return rng.choice(WORDS)
    if kind < 0.75:
        return "Длинная подпись " * rng.randint(16, 40)  # beyond 255 bytes
    if kind < 0.9:
        return rng.choice(["中文", "€ и ₽", "∑ 5"])  # ₽ and ∑ are not in Windows-1251
    return "".join(rng.choice("аяАЯёЁ az09.,-") for _ in range(rng.randint(1, 30)))


def random_item(rng):
    if rng.random() < 0.2:
        return None
    return {
        "color": rng.choice(list(IDENTS.values()) + [0x123456, 0x00ABCDEF, INFO_BACKGROUND]),
        "visible": int(rng.random() < 0.7),
        "transparent": int(rng.random() < 0.3),
        "bevel": rng.choice([0, 2, 5, 127, 128, 300, 70000, -1]),
        "size": rng.choice([8, 7, 10, 12, 24, 96]),
        "text": [random_text(rng) for _ in range(rng.choice([0, 1, 1, 2, 3]))],
    }


# ---- the driver -----------------------------------------------------------------------------


class Driver:
    def __init__(self, path):
        self.proc = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, encoding="ascii")

    def ask(self, lines):
        for line in lines:
            self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        answer = []
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("the driver stopped")
            line = line.rstrip("\n")
            if line == "end":
                return answer
            answer.append(line)

    def close(self):
        self.proc.stdin.close()
        self.proc.wait()


def hexed(text):
    raw = text.encode("utf-8")
    return raw.hex() if raw else "-"


def driver_item(line):
    parts = line.split()
    assert parts[0] == "i", line
    if parts[1] == "-":
        return None
    color, visible, transparent, bevel, size = (int(p) for p in parts[1:6])
    text = [bytes.fromhex(p).decode("utf-8") if p != "-" else "" for p in parts[6:]]
    return {"color": color, "visible": visible, "transparent": transparent, "bevel": bevel,
            "size": size, "text": text}


def expected_read(item):
    """What a read gives: every listed item exists, missing ones with the defaults."""
    return dict(DEFAULTS, text=[]) if item is None else item


def main():
    driver = Driver(sys.argv[1])
    failures = 0
    checked = 0

    def check(ok, what):
        nonlocal failures
        if not ok:
            failures += 1
            if failures <= 10:
                print("MISMATCH", what)

    for seed in SEEDS:
        rng = random.Random(seed)
        items = [random_item(rng) for _ in range(rng.randint(0, 7))]

        # Packed here, loaded there.
        block = pack(items, rng)
        answer = driver.ask(["R " + (block.hex() or "-")])
        check(answer[:1] == ["ok"], (seed, "refused", answer[:1]))
        got = [driver_item(line) for line in answer[1:]]
        check(got == [expected_read(i) for i in items], (seed, "read", got, items))

        # Written there, unpacked here.
        requests = ["n"]
        for index, item in enumerate(items):
            if item is not None:
                requests.append("s %d %d %d %d %d %d %s" % (
                    index, item["color"], item["visible"], item["transparent"], item["bevel"],
                    item["size"], " ".join(hexed(t) for t in item["text"])))
        requests.append("W")
        written = bytes.fromhex(driver.ask(requests)[0].split()[1])
        # Items after the last made one are never written: the list ends there.
        last = max((k for k, i in enumerate(items) if i is not None), default=-1)
        unpacked = unpack(written)
        check(len(unpacked) == last + 1, (seed, "count", len(unpacked), last + 1))
        for k, props in enumerate(unpacked):
            if items[k] is None:
                check(props == {}, (seed, "missing item written", k, props))
            else:
                check(item_of(props) == items[k], (seed, "written", k, props, items[k]))
        checked += 1

        # Damaged blocks are refused.
        if seed < 8:
            for cut in range(len(block)):
                answer = driver.ask(["R " + (block[:cut].hex() or "-")])
                check(answer == ["error"], (seed, "cut", cut, answer))
        for count in (-1, len(block), 1 << 30):
            bad = struct.pack("<i", count) + block[4:]
            check(driver.ask(["R " + bad.hex()]) == ["error"], (seed, "count", count))

    driver.close()
    print("%d item sets checked, %d mismatches" % (checked, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
