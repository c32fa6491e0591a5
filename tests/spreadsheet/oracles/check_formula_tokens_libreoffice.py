#!/usr/bin/python3
"""Compiles a set of formulas twice: with our encoder, and with LibreOffice (a generated .fods
converted headless to .xls, whose FORMULA records hold LibreOffice's tokens), and compares the
tokens after masking the operand classes. Token forms that differ without a difference in
meaning are normalised on both sides and counted (LibreOffice's volatile, if and goto
attributes, its sum attribute for SUM of one argument, single-byte strings, the index of the
external-sheet entry). Our decoder also reads LibreOffice's tokens back to the formula's text."""
import struct
import subprocess
import sys
import tempfile

from libreoffice_support import (convert, formula_cell, odf_formula, soffice_or_exit,
                                 workbook_records, write_fods)

# Our text, and the OpenDocument text where it is not the converted one.
FORMULAS = [
    ('1+2*3', None), ('-2^2', None), ('(1+2)*3', None), ('A1%', None), ('50%+1', None),
    ('$B$3+A$1-$C2', None), ('A1:B2', None), ('SUM(A1:B2)', None), ('SUM(A1,B1,C1)', None),
    ('NOW()+1', None), ('IF(A1=1,2,3)', None), ('IF(A1,1)', None), ('"ab" &"c"', None),
    ('#N/A', None), ('ROUND(1.5,0)', None), ('MOD(7,3)', None), ('65536', None),
    ('65535', None), ('1.25', None), ('1 + 2', None), ('A1<>B1', None), ('A1>=2', None),
    ('"x"<"y"', None), ('Sheet2!B3*2', None), ('SUM(Sheet2!A1:B2)', None),
    ('MAX(A1:A3,5)', None), ('AVERAGE(1,2)', None), ('ABS(-3)', None), ('INT(A1)', None),
    ('LOOKUP(2,A1:A3,B1:B3)', None), ('CONCATENATE("a",A1)', None), ('NOT(TRUE)', 'NOT(TRUE())'),
    ('FALSE', 'FALSE()'), ('AND(A1,B1)', None), ('COUNT(A1:C3)', None), ('ISNA(A1)', None),
    ('ISERROR(1/0)', None), ('NPV(0.1,A1:A3)', None), ('STDEV(A1:A5)', None), ('PI()*2', None),
    ('SIN(0)', None), ('-A1', None), ('A1^2^3', None), ('2*-3', None), ('SUM(A1:B2)*2', None),
    ('SUM(A1,,B1)', None), ('"a"="A"', None), ('DOLLAR(A1)', None), ('FIXED(A1,1,TRUE)', 'FIXED([.A1];1;TRUE())'),
    ('IF(ISERROR(A1),0,A1)', None), ('COLUMN(C5)+ROW()', None),
]


def normalise(b):
    """A token stream as a list of (kind, detail): operand classes masked, attributes and string
    forms that do not change the meaning unified."""
    out, i = [], 0
    while i < len(b):
        p = b[i]
        if p == 0x19:
            flags = b[i + 1]
            size = 4 + 2 * (struct.unpack_from('<H', b, i + 2)[0] + 1) if flags & 0x04 else 4
            if flags & 0x10:
                out.append(('funcvar', 1, 4))
            elif flags & 0x40:
                out.append(('space', b[i + 2], b[i + 3]))
            i += size
            continue
        if p == 0x17:
            n, flag = b[i + 1], b[i + 2]
            raw = b[i + 3:i + 3 + n * (2 if flag & 1 else 1)]
            out.append(('str', raw.decode('utf-16-le' if flag & 1 else 'latin-1')))
            i += 3 + len(raw)
            continue
        if p < 0x20:
            size = {0x1C: 2, 0x1D: 2, 0x1E: 3, 0x1F: 9}.get(p, 1)
            out.append(('ptg', p, bytes(b[i + 1:i + size]).hex()))
            i += size
            continue
        base = (p & 0x1F) | 0x20
        size = {0x20: 8, 0x21: 3, 0x22: 4, 0x23: 5, 0x24: 5, 0x25: 9, 0x26: 7, 0x29: 3, 0x2A: 5,
                0x2B: 9, 0x2C: 5, 0x2D: 9, 0x39: 7, 0x3A: 7, 0x3B: 11, 0x3C: 7, 0x3D: 11}[base]
        data = bytes(b[i + 1:i + size])
        if base == 0x22:
            out.append(('funcvar', data[0], struct.unpack_from('<H', data, 1)[0]))
        elif base in (0x3A, 0x3B, 0x3C, 0x3D):
            out.append(('ptg', base, 'sheet ' + data[2:].hex()))
        else:
            out.append(('ptg', base, data.hex()))
        i += size
    return out


def theirs(soffice, work):
    rows = [[formula_cell(odf or odf_formula(ours))] for ours, odf in FORMULAS]
    src = work + '/tokens.fods'
    write_fods(src, [('Sheet1', rows), ('Sheet2', [])])
    tokens, externsheet = {}, []
    for rec_id, body in workbook_records(convert(soffice, work, src, 'xls')):
        if rec_id == 0x0017:
            count = struct.unpack_from('<H', body, 0)[0]
            externsheet = [struct.unpack_from('<HHH', body, 2 + 6 * k) for k in range(count)]
        if rec_id == 0x0006:
            row, col = struct.unpack_from('<HH', body, 0)
            cce = struct.unpack_from('<H', body, 20)[0]
            if col == 0:
                tokens[row] = body[22:22 + cce]
    # Only the workbook's own sheets are referred to (the first supporting book).
    return [tokens.get(r, b'') for r in range(len(FORMULAS))], [
        'x %d %d' % (first, last) for book, first, last in externsheet]


def run(tool, mode, lines):
    out = subprocess.run([tool, mode], input='\n'.join(lines) + '\n', capture_output=True,
                         text=True, check=True).stdout
    return out.split('\n')[:len(lines)]


def main():
    tool = sys.argv[1]
    soffice = soffice_or_exit()
    with tempfile.TemporaryDirectory() as work:
        lo, entries = theirs(soffice, work)
    mine = run(tool, 'encode', [ours for ours, _ in FORMULAS])
    decoded = run(tool, 'decode', entries + [t.hex() for t in lo])
    failures, unified = [], 0
    for (ours, _), a, b, text in zip(FORMULAS, mine, lo, decoded):
        if a.startswith('ERROR'):
            failures.append('%-28s ours: %s' % (ours, a))
            continue
        if not b:
            failures.append('%-28s LibreOffice wrote no formula' % ours)
            continue
        na, nb = normalise(bytes.fromhex(a)), normalise(b)
        if bytes.fromhex(a) != b:
            unified += 1
        if na != nb:
            failures.append('%-28s tokens differ\n    ours        %s %s\n    LibreOffice %s %s'
                            % (ours, a, na, b.hex(), nb))
        # Names and references read back in upper case (sheet names in their own), strings as
        # they are; blanks as LibreOffice kept them.
        def same(t):
            t = t.replace(' ', '')
            return t if '"' in t else t.upper()
        if same(text) != same(ours):
            failures.append('%-28s decoded LibreOffice tokens as %r' % (ours, text))
    for f in failures:
        print('DIFFERS ' + f)
    print('%d formulas compared, %d byte for byte, %d after unifying forms, %d differences'
          % (len(FORMULAS), len(FORMULAS) - unified - len(failures), unified, len(failures)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
