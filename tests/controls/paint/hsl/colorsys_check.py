"""Compares the framed controls' colour routines with Python's colorsys.

Colour to hue, saturation and lightness (0..240 scale, ties to even) must agree exactly; hue,
saturation and lightness to colour within 2 per channel, and exactly for greys and hue 0.

The way back divides the hue byte by 239, not 240 (so that 239 and up are red again); colorsys is
asked for the same hue fraction, hue / 239, and for red from hue 239 up. Against
hue / 240 the channels would drift apart by up to 6 toward the top of the hue range.
"""
import colorsys
import subprocess
import sys


def main():
    out = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    failures = []
    counts = {"rgb": 0, "hsl": 0}
    for line in out.splitlines():
        kind, *nums = line.split()
        a, b, c, x, y, z = map(int, nums)
        counts[kind] += 1
        if kind == "rgb":
            h, l, s = colorsys.rgb_to_hls(a / 255, b / 255, c / 255)
            want = (round(h * 240), round(s * 240), round(l * 240))
            if (x, y, z) != want:
                failures.append(f"rgb {a},{b},{c}: ours {x},{y},{z} colorsys {want}")
        else:
            rgb = colorsys.hls_to_rgb(a / 239 if a < 239 else 0.0, c / 240, b / 240)
            want = tuple(round(min(v, 1.0) * 255) for v in rgb)
            exact = b == 0 or a == 0
            worst = max(abs(p - q) for p, q in zip((x, y, z), want))
            if worst > (0 if exact else 2):
                failures.append(f"hsl {a},{b},{c}: ours {x},{y},{z} colorsys {want}")
    if counts != {"rgb": 17 ** 3, "hsl": 17 ** 3}:
        failures.append(f"unexpected number of lines: {counts}")
    for f in failures[:40]:
        print(f)
    print(f"{len(failures)} disagreements over {counts['rgb']} + {counts['hsl']} conversions")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
