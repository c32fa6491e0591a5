#!/usr/bin/python3
"""Checks the chart's compiled palettes against the palette tables as written: each colour there
is six hexadecimal digits in red, green, blue order, and the chart stores it as 0x00BBGGRR."""

import subprocess
import sys

NAMES = ["Plotwise", "Excel", "Victorian", "Pastels", "Solid", "Classic", "Web", "Modern",
         "Rainbow", "Win. XP", "Mac OS", "Win. Vista", "Gray scale", "Opera", "Warm", "Cool"]

TABLES = {
    1: "9999FF 993366 FFFFCC CCFFFF 660066 FF8080 0066CC CCCCFF 000080 FF00FF FFFF00 00FFFF "
       "800080 800000 008080 0000FF 00CCFF CCFFFF CCFFCC FFFF00 99CCFF FF99CC",
    2: "5DA5A1 C45331 E79609 F6E84A B1A2A7 C9A784 8C7951 D8CDB7 086553 F7D87B 016484",
    3: "CCFFFF FFFFCC CCCCFF 00CCCC CCCCCC 009999 999999 FFCCCC FFCC66 CCCCFF FF9999 FFFF99 "
       "99CCFF CCFFCC",
    4: "0000FF FF0000 00FF00 FFCC00 404040 FFFF00 FF00C0 FFFFFF",
    5: "0000FF 00FF00 00FFFF FF0000 FF00FF FFFF00 000080 008000 008080 800000 800080 808000",
    6: "FFA500 0000CE 00CE00 FFFF40 40FFFF FF40FF FF4000 8080A5 808040",
    7: "FF9966 FF6666 99CCFF 669966 CCCC99 9966CC CC6666 FFCC99 9966FF CCCCCC 66FFCC 6699FF "
       "996699 CCCCFF",
    8: "990000 C30000 EE0000 FF1A00 FF4600 FF7300 FF9F00 FFCB00 FFF700 E3F408 C3E711 A3DA1B "
       "83CD25 63C02E 42B338 22A642 029A4B 0C876A 1A758A 2863AA 3650CB 443EEB 612AFF 9615FF "
       "CC00FF",
    9: "829BFE FCD124 7CBC0D FD852F FDFEFC E24E21 2938D6 B79400 5A8600 D24600 D3E5FA D8D8D8 "
       "5F717B",
    10: "FFFFFF FCF305 FF6402 DD0806 F20884 4600A5 0000D4 02ABEA 1FB714 006411 562C05 90713A "
        "C0C0C0 808080 404040 000000",
    11: "001FD2 E00201 1E6602 E8CD7E AFABAC A4D0D9 3D3B3C 95DD31 9E0001 DCF774 45FDFD D18E74 "
        "A0D891 D57A65 9695D9",
    12: "F0F0F0 E0E0E0 D0D0D0 C0C0C0 B0B0B0 A0A0A0 909090 808080 707070 606060 505050 404040 "
        "303030 202020 101010",
    13: "4466A3 F39C35 F14C14 4E97A8 2B406B 1D7B63 B3080E F2C05D 5DB79E 707070 F3EA8D B4B4B4",
    14: "F3EA8D F2C05D F39C35 F5811C F36B15 F14C14 E6180A B3080E",
    15: "2B406B 3B548C 4466A3 4E97A8 5DB79E 41A08A 2B927D 1D7B63",
}

SIZES = [22, 11, 14, 8, 12, 9, 14, 25, 13, 16, 15, 15, 12, 8, 8]


def stored(rrggbb):
    rgb = bytes.fromhex(rrggbb)
    return int.from_bytes(bytes([rgb[0], rgb[1], rgb[2], 0]), "little")


def expected(index):
    name = NAMES[index] if 0 <= index < len(NAMES) else ""
    colours = [stored(c) for c in TABLES.get(index, "").split()]
    return name, colours


def main():
    out = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    failures = []
    seen = set()
    assert [len(TABLES[i].split()) for i in range(1, 16)] == SIZES, "table text damaged"
    for line in out.splitlines():
        index_text, name, colours_text = line.split("\t")
        index = int(index_text)
        seen.add(index)
        got = (name, [int(c, 16) for c in colours_text.split()])
        if got != expected(index):
            failures.append(f"palette {index}: got {got}, expected {expected(index)}")
    if seen != set(range(-1, 17)):
        failures.append(f"palettes printed: {sorted(seen)}")
    for failure in failures:
        print(failure)
    print(f"{len(seen)} palette indexes compared, {len(failures)} differing")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
