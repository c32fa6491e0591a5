#!/usr/bin/env python3
"""The PNG codec against outside readers and writers.

roundtrip: for each of the fifteen colour-type/bit-depth pairs, plain and Adam7-interlaced, a
fixture is written (by PIL where PIL writes that layout, otherwise by the small writer below, with
every row filter in use and the data split over several IDAT chunks; PIL must decode those to the
samples they were made of). Then
  - the codec decodes the fixture to the same samples (full precision),
  - the codec writes it again, and PIL decodes that file to the same pixels, and the reader below
    to the same samples (16-bit samples exactly; alpha is held with its high byte).
pngcheck: every file the codec writes is clean for pngcheck (skipped with exit code 77 when the
program is not installed).
bitmaps: BMP files of 1, 4, 8 and 24 bits (PIL's, and hand-made 4-bit ones) become PNG pictures
through the platform's bitmap, which PIL decodes to the BMP's colours with the expected colour
type and depth; and each layout of PNG picture becomes a bitmap of its pixel format, saved as a BMP
that PIL decodes to the picture's colours (alpha blended over the new bitmap's white).

Usage: check_png_pil.py roundtrip|pngcheck|bitmaps ORACLE_TOOL WORK_DIR
"""

import os
import random
import shutil
import struct
import subprocess
import sys
import zlib

from PIL import Image

COMBINATIONS = [(0, 1), (0, 2), (0, 4), (0, 8), (0, 16), (2, 8), (2, 16), (3, 1), (3, 2), (3, 4),
                (3, 8), (4, 8), (4, 16), (6, 8), (6, 16)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
ADAM7 = [(0, 0, 8, 8), (0, 4, 8, 8), (4, 0, 8, 4), (0, 2, 4, 4), (2, 0, 4, 2), (0, 1, 2, 2),
         (1, 0, 2, 1)]
SIZES = [(1, 1), (1, 9), (3, 2), (37, 19)]
PIL_MODES = {(0, 1): "1", (0, 8): "L", (0, 16): "I;16", (2, 8): "RGB", (4, 8): "LA",
             (6, 8): "RGBA", (3, 1): "P", (3, 2): "P", (3, 4): "P", (3, 8): "P"}


def passes(interlace, width, height):
    """(row start, column start, row step, column step) of each stored pass with pixels."""
    for p in (ADAM7 if interlace else [(0, 0, 1, 1)]):
        if p[1] < width and p[0] < height:
            yield p


def pack_row(depth, samples):
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out, bits, acc = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        bits += depth
        if bits == 8:
            out.append(acc)
            bits, acc = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def unpack_row(depth, data, count):
    if depth == 16:
        return [struct.unpack(">H", data[2 * i:2 * i + 2])[0] for i in range(count)]
    if depth == 8:
        return list(data[:count])
    per = 8 // depth
    return [(data[i // per] >> (8 - depth * (i % per + 1))) & ((1 << depth) - 1)
            for i in range(count)]


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def predictor(kind, raw, prev, i, bpp):
    a = raw[i - bpp] if i >= bpp else 0
    b = prev[i]
    c = prev[i - bpp] if i >= bpp else 0
    return [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]


def bytes_per_pixel(colour_type, depth):
    return max(1, CHANNELS[colour_type] * depth // 8)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def write_png(path, colour_type, depth, image, palette, interlace, rnd):
    """Every row gets a random filter type; the compressed data go into three IDAT chunks."""
    height, width = len(image), len(image[0])
    bpp = bytes_per_pixel(colour_type, depth)
    raw = bytearray()
    for y0, x0, dy, dx in passes(interlace, width, height):
        prev = None
        for y in range(y0, height, dy):
            row = pack_row(depth, [s for x in range(x0, width, dx) for s in image[y][x]])
            prev = prev or bytes(len(row))
            kind = rnd.randrange(5)
            raw.append(kind)
            raw += bytes((row[i] - predictor(kind, row, prev, i, bpp)) & 255
                         for i in range(len(row)))
            prev = row
    data = zlib.compress(bytes(raw), 9)
    cut1, cut2 = sorted(rnd.randrange(len(data) + 1) for _ in range(2))
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace)
    body = chunk(b"IHDR", header)
    if colour_type == 3:
        body += chunk(b"PLTE", bytes(c for entry in palette for c in entry))
    for part in (data[:cut1], data[cut1:cut2], data[cut2:]):
        body += chunk(b"IDAT", part)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + body + chunk(b"IEND", b""))


def read_png(path):
    """(colour type, depth, interlace, rows of sample tuples) of a PNG file."""
    data = open(path, "rb").read()
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    raw = zlib.decompress(idat)
    channels, bpp = CHANNELS[colour_type], bytes_per_pixel(colour_type, depth)
    image = [[None] * width for _ in range(height)]
    at = 0
    for y0, x0, dy, dx in passes(interlace, width, height):
        count = len(range(x0, width, dx))
        size = (count * channels * depth + 7) // 8
        prev = bytes(size)
        for y in range(y0, height, dy):
            kind, row = raw[at], bytearray(raw[at + 1:at + 1 + size])
            at += 1 + size
            for i in range(size):
                row[i] = (row[i] + predictor(kind, row, prev, i, bpp)) & 255
            samples = unpack_row(depth, bytes(row), count * channels)
            for k, x in enumerate(range(x0, width, dx)):
                image[y][x] = tuple(samples[k * channels:(k + 1) * channels])
            prev = bytes(row)
    return colour_type, depth, interlace, image


def pil_pixels(colour_type, depth, image):
    """The pixels PIL gives for an image of these samples."""
    out = []
    for row in image:
        for px in row:
            if colour_type in (0, 3):
                v = px[0]
                if colour_type == 0 and depth < 8:
                    v = 255 if depth == 1 and v else v * (255 // ((1 << depth) - 1))
                out.append(v)
            elif colour_type == 4 and depth == 16:  # PIL opens these as RGBA
                out.append((px[0] >> 8,) * 3 + (px[1] >> 8,))
            else:
                out.append(tuple(s >> 8 if depth == 16 else s for s in px))
    return out


def write_with_pil(path, colour_type, depth, image, palette):
    height, width = len(image), len(image[0])
    mode = PIL_MODES[(colour_type, depth)]
    im = Image.new(mode, (width, height))
    flat = [px[0] if len(px) == 1 else px for row in image for px in row]
    if mode == "1":
        flat = [255 if v else 0 for v in flat]
    im.putdata(flat)
    options = {}
    if mode == "P":
        im.putpalette([c for entry in palette for c in entry])
        options["bits"] = depth
    im.save(path, **options)
    written = struct.unpack(">IIBB", open(path, "rb").read()[16:26])
    assert written[2:] == (depth, colour_type), f"PIL wrote {written} for {mode}"


def make_image(colour_type, depth, width, height, palette_size, rnd):
    top = palette_size - 1 if colour_type == 3 else (1 << depth) - 1
    channels = CHANNELS[colour_type]
    return [[tuple(rnd.randint(0, top) for _ in range(channels)) for _ in range(width)]
            for _ in range(height)]


def dump(tool, paths):
    """The codec's header and samples of each file, as rows of tuples."""
    lines = subprocess.run([tool, "dump", *paths], check=True, capture_output=True,
                           text=True).stdout.splitlines()
    results, at = [], 0
    for _ in paths:
        end = lines.index("end", at)
        header = tuple(int(v) for v in lines[at].split())
        rows = [[tuple(int(v) for v in px.split(",")) for px in line.split()]
                for line in lines[at + 1:end]]
        results.append((header, rows))
        at = end + 1
    return results


def resave(tool, pairs, interlace=None):
    flags = [f"-i{interlace}"] if interlace is not None else []
    subprocess.run([tool, "resave", *flags, *[p for pair in pairs for p in pair]], check=True)


def held(colour_type, depth, image):
    """The samples as the codec holds them: 16-bit alpha keeps its high byte."""
    if depth != 16 or colour_type not in (4, 6):
        return image
    return [[px[:-1] + ((px[-1] >> 8) * 257,) for px in row] for row in image]


def fixtures(work, rnd):
    """Yields (name, path, colour type, depth, interlace, samples) for every fixture."""
    for colour_type, depth in COMBINATIONS:
        for interlace in (0, 1):
            for width, height in SIZES:
                name = f"ct{colour_type}_d{depth}_i{interlace}_{width}x{height}"
                palette_size = min(1 << depth, 256) if colour_type == 3 else 0
                palette = [tuple(rnd.randrange(256) for _ in range(3)) for _ in range(palette_size)]
                image = make_image(colour_type, depth, width, height, palette_size, rnd)
                path = os.path.join(work, name + ".png")
                if not interlace and (colour_type, depth) in PIL_MODES:
                    write_with_pil(path, colour_type, depth, image, palette)
                else:
                    write_png(path, colour_type, depth, image, palette, interlace, rnd)
                    with Image.open(path) as im:
                        got = list(im.getdata())
                    assert got == pil_pixels(colour_type, depth, image), name + ": fixture writer"
                yield name, path, colour_type, depth, interlace, image


def roundtrip(tool, work):
    failures = []
    made = list(fixtures(work, random.Random(46)))
    decoded = dump(tool, [path for _, path, *_ in made])
    outs = [os.path.join(work, name + ".out.png") for name, *_ in made]
    resave(tool, [(path, out) for (_, path, *_), out in zip(made, outs)])
    for (name, path, colour_type, depth, interlace, image), (header, ours), out in \
            zip(made, decoded, outs):
        if header != (len(image[0]), len(image), colour_type, depth, interlace):
            failures.append(f"{name}: header {header}")
        if ours != held(colour_type, depth, image):
            failures.append(f"{name}: decoded samples differ")
        with Image.open(out) as im:
            if list(im.getdata()) != pil_pixels(colour_type, depth, image):
                failures.append(f"{name}: PIL decodes our file to other pixels")
        written_type, written_depth, written_interlace, samples = read_png(out)
        expected = image
        if depth == 2 and colour_type == 0:  # held and written as 4-bit shades of the same grey
            expected = [[(v * 5,) for (v,) in row] for row in image]
        if (written_type, written_interlace) != (colour_type, interlace) or \
                written_depth != (4 if depth == 2 else depth):
            failures.append(f"{name}: written as type {written_type} depth {written_depth}")
        elif samples != held(colour_type, depth, expected):
            failures.append(f"{name}: written samples differ")
    for f in failures:
        print("FAIL", f)
    print(f"{len(made)} fixtures, {len(failures)} failures")
    return 1 if failures else 0


def pngcheck(tool, work):
    program = shutil.which("pngcheck")
    if not program:
        print("SKIPPED: pngcheck is not installed (scripts/setup installs it)")
        return 77
    failures, count = [], 0
    made = list(fixtures(work, random.Random(47)))
    for interlace in (0, 1):
        pairs = [(path, os.path.join(work, f"{name}.out{interlace}.png"))
                 for name, path, *_ in made]
        resave(tool, pairs, interlace)
        for _, out in pairs:
            result = subprocess.run([program, "-v", out], capture_output=True, text=True)
            count += 1
            if result.returncode != 0 or "No errors detected" not in result.stdout:
                failures.append(f"{out}:\n{result.stdout}{result.stderr}")
    for f in failures:
        print("FAIL", f)
    print(f"pngcheck: {count} files written, {len(failures)} with errors")
    return 1 if failures else 0


def write_bmp4(path, image, palette):
    """A 4-bit BMP file (PIL writes none): bottom-up rows of packed indices."""
    height, width = len(image), len(image[0])
    stride = (width * 4 + 31) // 32 * 4
    rows = b"".join(pack_row(4, list(image[y])).ljust(stride, b"\0")
                    for y in range(height - 1, -1, -1))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) +
                struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 3780, 3780,
                            16, 0) + colours + rows)


def bitmap_fixtures(work, rnd):
    """Yields (name, BMP path, expected PNG colour type and depth) for BMPs of every depth."""
    for width, height in SIZES:
        for mode, bits in (("1", 1), ("L", 8), ("P", 8), ("RGB", 24), (None, 4)):
            name = f"bmp{bits}_{mode or 'hand'}_{width}x{height}"
            path = os.path.join(work, name + ".bmp")
            if mode is None:
                palette = [tuple(rnd.randrange(256) for _ in range(3)) for _ in range(16)]
                image = [[rnd.randrange(16) for _ in range(width)] for _ in range(height)]
                write_bmp4(path, image, palette)
            else:
                im = Image.new(mode, (width, height))
                if mode == "RGB":
                    im.putdata([tuple(rnd.randrange(256) for _ in range(3))
                                for _ in range(width * height)])
                else:
                    top = 1 if mode == "1" else 255
                    im.putdata([rnd.randint(0, top) * (255 if mode == "1" else 1)
                                for _ in range(width * height)])
                if mode == "P":
                    im.putpalette([rnd.randrange(256) for _ in range(768)])
                im.save(path, "BMP")
            yield name, path, (2, 8) if bits == 24 else (3, bits)


def blended_over_white(colour, alpha):
    return tuple((c * alpha + (255 - alpha) * 255 + 255) // 256 for c in colour)


def expected_colours(path):
    """The colours of a PNG file (alpha blended over white), from its own samples."""
    colour_type, depth, _, image = read_png(path)
    palette = None
    if colour_type == 3:
        data = open(path, "rb").read()
        at = data.index(b"PLTE")
        length = struct.unpack(">I", data[at - 4:at])[0]
        body = data[at + 4:at + 4 + length]
        palette = [tuple(body[i:i + 3]) for i in range(0, length, 3)]
    top = (1 << depth) - 1
    out = []
    for row in image:
        for px in row:
            wide = [s >> 8 if depth == 16 else s for s in px]
            if colour_type == 3:
                out.append(palette[px[0]])
            elif colour_type in (0, 4):
                level = wide[0] if depth >= 8 else px[0] * 255 // top
                grey = (level,) * 3
                out.append(blended_over_white(grey, wide[1]) if colour_type == 4 else grey)
            else:
                out.append(blended_over_white(wide[:3], wide[3]) if colour_type == 6
                           else tuple(wide[:3]))
    return out


def bitmap_bits(colour_type, depth):
    """The bits per pixel of the BMP a bitmap of the picture's pixel format is saved with."""
    if colour_type in (4, 6):
        return 24
    if depth == 1:
        return 1
    if depth in (2, 4):
        return 4
    if colour_type == 3:
        return 8
    return 24


def bitmaps(tool, work):
    failures = []
    rnd = random.Random(48)
    made = list(bitmap_fixtures(work, rnd))
    outs = [os.path.join(work, name + ".png") for name, *_ in made]
    subprocess.run([tool, "frombmp", *[p for (_, path, _), out in zip(made, outs)
                                       for p in (path, out)]], check=True)
    for (name, path, layout), out in zip(made, outs):
        with Image.open(path) as bmp, Image.open(out) as png:
            if struct.unpack(">BB", open(out, "rb").read()[24:26])[::-1] != layout:
                failures.append(f"{name}: PNG is not of colour type and depth {layout}")
            elif list(png.convert("RGB").getdata()) != list(bmp.convert("RGB").getdata()):
                failures.append(f"{name}: PNG colours differ from the BMP's")
    count = len(made)
    pictures = [f for f in fixtures(work, random.Random(49))
                if not (f[2] == 3 and f[3] == 1)]  # a one-bit bitmap is black and white
    bmps = [os.path.join(work, name + ".out.bmp") for name, *_ in pictures]
    subprocess.run([tool, "tobmp", *[p for (_, path, *_), out in zip(pictures, bmps)
                                     for p in (path, out)]], check=True)
    for (name, path, colour_type, depth, _, _), out in zip(pictures, bmps):
        bits = struct.unpack("<H", open(out, "rb").read()[28:30])[0]
        with Image.open(out) as bmp:
            if bits != bitmap_bits(colour_type, depth):
                failures.append(f"{name}: bitmap saved with {bits} bits")
            elif list(bmp.convert("RGB").getdata()) != expected_colours(path):
                failures.append(f"{name}: bitmap colours differ")
    count += len(pictures)
    for f in failures:
        print("FAIL", f)
    print(f"bitmaps: {count} conversions, {len(failures)} failures")
    return 1 if failures else 0


def main(argv):
    modes = {"roundtrip": roundtrip, "pngcheck": pngcheck, "bitmaps": bitmaps}
    if len(argv) != 4 or argv[1] not in modes:
        print(__doc__)
        return 2
    mode, tool, work = argv[1:]
    os.makedirs(work, exist_ok=True)
    return modes[mode](tool, work)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
