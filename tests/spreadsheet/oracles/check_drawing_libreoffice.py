#!/usr/bin/python3
"""Reads the drawing records LibreOffice writes into an .xls (notes with their text, and
drawn shapes) with our drawing reader, writes them back and compares record by record. The
differences our writer makes on purpose are unified and counted: text is written in 16-bit
characters (a single-byte text record is compared by its characters), and NOTE records belong
to the sheet reader (left out on both sides)."""
import os
import subprocess
import sys
import tempfile

from libreoffice_support import (convert, empty_cell, float_cell, soffice_or_exit,
                                 workbook_records, write_fods)

DRAWING = {0x00EC, 0x005D, 0x01B6, 0x003C, 0x007F}


def note_cell(value, text, author):
    return ('<table:table-cell office:value-type="float" office:value="%r"><office:annotation>'
            '<dc:creator>%s</dc:creator><text:p>%s</text:p></office:annotation></table:table-cell>'
            % (float(value), author, text))


def shape_cell(value):
    return ('<table:table-cell office:value-type="float" office:value="%r">'
            '<draw:rect table:end-cell-address="Sheet1.E9" svg:width="3cm" svg:height="2cm" '
            'svg:x="0.2cm" svg:y="0.1cm"><text:p>Box text</text:p></draw:rect>'
            '<draw:line table:end-cell-address="Sheet1.F12" svg:x1="0cm" svg:y1="0cm" '
            'svg:x2="2cm" svg:y2="1cm"/></table:table-cell>' % float(value))


def theirs(soffice, work):
    rows = [[note_cell(1, 'Hello note', 'Ann'), float_cell(2)],
            [empty_cell(), note_cell(3, 'Second: ' + 'x' * 300, 'Bob')],
            [shape_cell(4)]]
    src = os.path.join(work, 'drawing.fods')
    write_fods(src, [('Sheet1', rows)])
    with open(src, encoding='utf-8') as f:
        text = f.read()
    text = text.replace('xmlns:of=', 'xmlns:dc="http://purl.org/dc/elements/1.1/" '
                        'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
                        'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
                        'xmlns:of=')
    with open(src, 'w', encoding='utf-8') as f:
        f.write(text)
    records = workbook_records(convert(soffice, work, src, 'xls'))
    # The sheet's drawing: from its first drawing record on, while drawing records follow.
    sheet = max(i for i, (rec, _) in enumerate(records) if rec == 0x0809)
    start = next(i for i in range(sheet, len(records)) if records[i][0] == 0x00EC)
    end = start
    while end < len(records) and records[end][0] in DRAWING:
        end += 1
    return records[start:end]


def parse(data):
    out, at = [], 0
    while at + 4 <= len(data):
        rec, length = data[at] | data[at + 1] << 8, data[at + 2] | data[at + 3] << 8
        out.append((rec, data[at + 4:at + 4 + length]))
        at += 4 + length
    return out


def serialise(records):
    return b''.join(bytes([r & 0xFF, r >> 8, len(b) & 0xFF, len(b) >> 8]) + b for r, b in records)


def unify(records):
    """Text records (the continuation records after a TXO that are not its runs) as text."""
    out, in_text = [], 0
    for rec, body in records:
        if rec == 0x01B6:
            in_text = body[10] | body[11] << 8
            out.append((rec, body))
            continue
        if rec == 0x003C and in_text > 0:
            chars = body[1:].decode('utf-16-le' if body[0] == 1 else 'cp1252')
            in_text -= len(chars)
            out.append(('text', chars))
            continue
        out.append((rec, body))
    # Join the text of consecutive text records.
    joined = []
    for item in out:
        if joined and item[0] == 'text' and joined[-1][0] == 'text':
            joined[-1] = ('text', joined[-1][1] + item[1])
        else:
            joined.append(item)
    return joined


def main():
    tool = sys.argv[1]
    soffice = soffice_or_exit()
    with tempfile.TemporaryDirectory() as work:
        lo = theirs(soffice, work)
        src, dst = os.path.join(work, 'in.bin'), os.path.join(work, 'out.bin')
        with open(src, 'wb') as f:
            f.write(serialise(lo))
        shapes = subprocess.run([tool, 'roundtrip', src, dst], capture_output=True, text=True)
        if shapes.returncode != 0:
            print('read failed: %s %s' % (shapes.stdout, shapes.stderr))
            return 1
        with open(dst, 'rb') as f:
            ours = [r for r in parse(f.read()) if r[0] != 0x001C]
    print(shapes.stdout, end='')
    a, b = unify(lo), unify(ours)
    failures = []
    if len(a) != len(b):
        failures.append('%d records from LibreOffice, %d written back' % (len(a), len(b)))
    for n, (x, y) in enumerate(zip(a, b)):
        if x != y:
            failures.append('record %d: LibreOffice %r\n           ours        %r'
                            % (n, (x[0], bytes(x[1]).hex() if isinstance(x[1], bytes) else x[1]),
                               (y[0], bytes(y[1]).hex() if isinstance(y[1], bytes) else y[1])))
    same = sum(1 for x, y in zip(lo, ours) if x == y)
    for f in failures:
        print('DIFFERS ' + f)
    print('%d drawing records from LibreOffice, %d written back byte for byte, %d text records '
          'in 16-bit characters, %d differences'
          % (len(lo), same, len(lo) - same if not failures else 0, len(failures)))
    return 1 if failures or len(lo) < 8 else 0


if __name__ == '__main__':
    sys.exit(main())
