#!/usr/bin/python3
"""Writes a workbook stream whose format records are the format bodies of our cell-format list
(after changes made through formatted objects), with its fonts and number formats, and checks
that xlrd with formatting_info=True decodes every format, font and number format to the values
our getters report."""
import subprocess
import sys

import xlrd


def main():
    tool, path = sys.argv[1], sys.argv[2]
    lines = subprocess.run([tool, 'xf', path], check=True, capture_output=True,
                           text=True).stdout.splitlines()
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    failures, formats = [], 0

    def check(what, ours, theirs):
        if ours != theirs:
            failures.append('%s: ours %r, xlrd %r' % (what, ours, theirs))

    for line in lines:
        f = line.split(' ')
        if f[0] == 'font':
            font = book.font_list[int(f[1])]
            ours = [int(v) for v in f[2:8]] + [' '.join(f[8:])]
            theirs = [font.height, font.colour_index, int(font.weight == 700), int(font.italic),
                      int(font.struck_out), font.underline_type, font.name]
            check('font %s' % f[1], ours, theirs)
            continue
        if f[0] == 'format':
            check('number format %s' % f[1], ' '.join(f[2:]), book.format_map[int(f[1])].format_str)
            continue
        v = [int(x) for x in f]
        i = v[0]
        xf = book.xf_list[i]
        a, b, g, p = xf.alignment, xf.border, xf.background, xf.protection
        rotation = v[8] if v[8] >= 0 else 90 - v[8]
        theirs = [xf.font_index, xf.format_key, p.cell_locked, p.formula_hidden,
                  a.hor_align, a.vert_align, a.text_wrapped, a.rotation, a.indent_level,
                  a.shrink_to_fit,
                  b.left_line_style, b.right_line_style, b.top_line_style, b.bottom_line_style,
                  b.diag_line_style, b.left_colour_index, b.right_colour_index,
                  b.top_colour_index, b.bottom_colour_index, b.diag_colour_index, b.diag_down,
                  b.diag_up, g.fill_pattern, g.pattern_colour_index,
                  min(g.background_colour_index, 64)]
        ours = v[1:8] + [rotation] + v[9:]
        check('format %d' % i, ours, theirs)
        if sheet.cell_xf_index(i, 0) != i:
            failures.append('cell of row %d reads format %d' % (i, sheet.cell_xf_index(i, 0)))
        formats += 1
    for f in failures:
        print(f)
    print('%d formats, %d fonts, %d number formats decoded by xlrd' %
          (formats, len(book.font_list), len(book.format_map)))
    return 1 if failures or formats < 22 else 0


if __name__ == '__main__':
    sys.exit(main())
