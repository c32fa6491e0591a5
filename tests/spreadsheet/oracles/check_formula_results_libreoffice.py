#!/usr/bin/python3
"""Calculates the operators and the built-in worksheet functions twice over the same cells:
with our evaluator, and with LibreOffice (a generated .fods converted headless to CSV). Where
our evaluator keeps rules of its own, DEPARTURES says which and why; any other difference
fails."""
import csv
import subprocess
import sys
import tempfile

from libreoffice_support import (boolean_cell, convert, empty_cell, float_cell, formula_cell,
                                 odf_formula, soffice_or_exit, text_cell, write_fods)

# Cells of the sheet: (A1 text, kind, value).
CELLS = [('A1', 'n', 1), ('A2', 's', '2'), ('B1', 'n', 1), ('B2', 'n', 3), ('B3', 'n', 5),
         ('B4', 'n', 7), ('C1', 's', 'one'), ('C2', 's', 'three'), ('C3', 's', 'five'),
         ('C4', 's', 'seven'), ('D1', 'n', 4), ('D2', 's', 'x'), ('D3', 'b', 1),
         ('E1', 's', 'apple'), ('E2', 's', 'Banana'), ('E3', 's', 'cherry')]

# Our text, and the OpenDocument text where it is not the converted one.
FORMULAS = [
    ('1+2*3', None), ('(1+2)*3', None), ('-2^2', None), ('2^10', None), ('7/2', None),
    ('1/0', None), ('"2"+3', None), ('"x"+3', None), ('"a"<"B"', None), ('2<10', None),
    ('"2"<"10"', None), ('"ab"&"cd"', None), ('1 &"x"', None), ('#N/A&"x"', None),
    ('50%', None), ('D1*2', None), ('A2*2', None), ('A3+1', None), ('D3+1', None),
    ('D2&D1', None), ('"abc"="ABC"', None), ('3>=3', None), ('1<>1', None),
    ('(0-8)^0.5', None), ('0^(0-1)', None), ('#REF!+1', None),
    ('SUM(A1:A3)', None), ('SUM(B1:B4)', None), ('COUNT(A1:A3,5)', None),
    ('AVERAGE(B1:B4)', None), ('AVERAGE(A1:A3)', None), ('MAX(-5,-3)', None),
    ('MIN(B1:B4)', None), ('MAX(A1:A3)', None), ('MOD(7,0)', None), ('MOD(7,3)', None),
    ('MOD(-1,3)', None), ('IF(FALSE,1)', 'IF(FALSE();1)'), ('IF(1,2,3)', None),
    ('IF(0,2,3)', None), ('INT(-1.5)', None), ('INT(2.7)', None), ('ROUND(2.5,0)', None),
    ('ROUND(-2.5,0)', None), ('ROUND(1.005,2)', None), ('ROUND(1234,-2)', None),
    ('ABS(-3)', None), ('SIGN(-3)', None), ('SIN(0)', None), ('COS(0)', None),
    ('ATAN(1)*4', None), ('EXP(1)', None), ('LN(10)', None), ('LOG10(1000)', None),
    ('PI()', None), ('STDEV(2,4,4,4,5,5,7,9)', None), ('NPV(0.1,100,100)', None),
    ('AND(TRUE,1)', 'AND(TRUE();1)'), ('AND(1,0)', None), ('OR(0,0)', None), ('OR(0,1)', None),
    ('NOT(0)', None), ('ISNA(NA())', None), ('ISNA(1)', None), ('ISERROR(1/0)', None),
    ('ISERROR(1)', None), ('ISNUMBER(D1)', None), ('ISNUMBER(D2)', None),
    ('CONCATENATE("a",1,"b")', None), ('ROW(B5)', None), ('COLUMN(C1)', None),
    ('LOOKUP(5,B1:B4)', None), ('LOOKUP(4,B1:B4,C1:C4)', None), ('LOOKUP(100,B1:B4,C1:C4)', None),
    ('LOOKUP(0,B1:B4,C1:C4)', None), ('LOOKUP("BANANA",E1:E3)', None), ('LOOKUP("c",E1:E3)', None),
    ('FIXED(1234.567,1,TRUE)', 'FIXED(1234.567;1;TRUE())'), ('SUM(D1,D3)', None),
]

# Where our evaluator keeps its own rules, with the reason.
DEPARTURES = {
    'INT(-1.5)': 'INT drops the fraction towards zero',
    'MOD(-1,3)': 'MOD truncates the quotient (a - trunc(a/b) * b): the sign of the dividend',
    'SUM(A1:A3)': 'SUM adds texts that convert to numbers',
    'MAX(A1:A3)': 'MIN and MAX give #VALUE! for a value that does not convert, a blank included',
    '0^(0-1)': 'zero to a negative power is a division by zero',
}


def ours(tool):
    lines = ['%s %s %s' % (cell, kind, value) for cell, kind, value in CELLS]
    lines += ['=' + f for f, _ in FORMULAS]
    out = subprocess.run([tool, 'calc'], input='\n'.join(lines) + '\n', capture_output=True,
                         text=True, check=True).stdout.split('\n')
    return out[:len(FORMULAS)]


def theirs(soffice, work):
    grid = {}
    for cell, kind, value in CELLS:
        col, row = ord(cell[0]) - ord('A'), int(cell[1:]) - 1
        grid[(row, col)] = (float_cell(value) if kind == 'n' else
                            boolean_cell(value) if kind == 'b' else text_cell(value))
    rows = []
    for r in range(len(FORMULAS)):
        ours_text, odf = FORMULAS[r]
        row = [grid.get((r, c), empty_cell()) for c in range(7)]
        row.append(formula_cell(odf or odf_formula(ours_text)))
        rows.append(row)
    src = work + '/results.fods'
    write_fods(src, [('Sheet1', rows)])
    path = convert(soffice, work, src, 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false')
    with open(path, encoding='utf-8') as f:
        return [row[7] if len(row) > 7 else '' for row in csv.reader(f)]


def agree(mine, lo):
    kind, _, value = mine.partition(' ')
    if kind == 'n':
        try:
            theirs = float(lo[:-1]) / 100 if lo.endswith('%') else float(lo)
            return abs(float(value) - theirs) <= 1e-9 * max(1.0, abs(theirs))
        except ValueError:
            return False
    if kind in ('s', 'b', 'e'):
        return value == lo
    return False


def main():
    tool = sys.argv[1]
    soffice = soffice_or_exit()
    with tempfile.TemporaryDirectory() as work:
        lo = theirs(soffice, work)
    mine = ours(tool)
    failures, departures = [], 0
    for (formula, _), a, b in zip(FORMULAS, mine, lo):
        if agree(a, b):
            if formula in DEPARTURES:
                failures.append('%-26s agrees (%r) but is listed as a departure' % (formula, a))
            continue
        if formula in DEPARTURES:
            departures += 1
            print('departure  %-26s ours %-18r LibreOffice %-12r %s' % (formula, a, b, DEPARTURES[formula]))
        else:
            failures.append('%-26s ours %r, LibreOffice %r' % (formula, a, b))
    for f in failures:
        print('DIFFERS    ' + f)
    print('%d formulas calculated, %d agree, %d listed departures, %d unexpected differences'
          % (len(FORMULAS), len(FORMULAS) - departures - len(failures), departures, len(failures)))
    return 1 if failures or len(lo) < len(FORMULAS) else 0


if __name__ == '__main__':
    sys.exit(main())
