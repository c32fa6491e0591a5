#!/usr/bin/python3
"""Compares the worksheet function table with the function definitions xlrd carries.

- Every function xlrd knows has the same name in our table.
- A function our table fixes to n arguments takes exactly n in xlrd.
- A function with an open list (99 in our table) has the same minimum in xlrd.
- Other ranges agree.
Known differences are listed below with both sides' values; each must still hold, so that the
list cannot hide a change."""
import subprocess
import sys

import xlrd.formula

OPEN = 99

# number: (what our table holds, what xlrd holds)
KNOWN = {
    # Our table has the classic macro function at 92; xlrd files an add-in function there.
    92: (('SERIES', 255, 255), ('SERIESSUM', 4, 4)),
    # Functions our table keeps from worksheet formulas that xlrd lets through.
    204: (('USDOLLAR', 255, 255), ('USDOLLAR', 1, 2)),
    205: (('FINDB', 255, 255), ('FINDB', 2, 3)),
    206: (('SEARCHB', 255, 255), ('SEARCHB', 2, 3)),
    207: (('REPLACEB', 255, 255), ('REPLACEB', 4, 4)),
    208: (('LEFTB', 255, 255), ('LEFTB', 1, 2)),
    209: (('RIGHTB', 255, 255), ('RIGHTB', 1, 2)),
    210: (('MIDB', 255, 255), ('MIDB', 3, 3)),
    211: (('LENB', 255, 255), ('LENB', 1, 1)),
    214: (('ASC', 255, 255), ('ASC', 1, 1)),
    215: (('DBCS', 255, 255), ('DBCS', 1, 1)),
    351: (('DATEDIF', 255, 255), ('DATEDIF', 3, 3)),
    352: (('DATESTRING', 255, 255), ('DATESTRING', 1, 1)),
    353: (('NUMBERSTRING', 255, 255), ('NUMBERSTRING', 2, 2)),
    358: (('GETPIVOTDATA', 255, 255), ('GETPIVOTDATA', 2, 2)),
    # Open lists whose minimum differs.
    0: (('COUNT', 1, OPEN), ('COUNT', 0, 30)),
    4: (('SUM', 1, OPEN), ('SUM', 0, 30)),
    169: (('COUNTA', 1, OPEN), ('COUNTA', 0, 30)),
    183: (('PRODUCT', 1, OPEN), ('PRODUCT', 0, 30)),
    321: (('SUMSQ', 1, OPEN), ('SUMSQ', 0, 30)),
    336: (('CONCATENATE', 1, OPEN), ('CONCATENATE', 0, 30)),
    78: (('OFFSET', 2, OPEN), ('OFFSET', 3, 5)),
    82: (('SEARCH', 1, OPEN), ('SEARCH', 2, 3)),
    120: (('SUBSTITUTE', 1, OPEN), ('SUBSTITUTE', 3, 4)),
    124: (('FIND', 1, OPEN), ('FIND', 2, 3)),
    125: (('CELL', 2, OPEN), ('CELL', 1, 2)),
    144: (('DDB', 1, OPEN), ('DDB', 4, 5)),
    167: (('IPMT', 1, OPEN), ('IPMT', 4, 6)),
    168: (('PPMT', 1, OPEN), ('PPMT', 4, 6)),
    216: (('RANK', 3, OPEN), ('RANK', 2, 3)),
    219: (('ADDRESS', 5, OPEN), ('ADDRESS', 2, 5)),
    220: (('DAYS360', 1, OPEN), ('DAYS360', 2, 3)),
    222: (('VDB', 1, OPEN), ('VDB', 5, 7)),
    247: (('DB', 1, OPEN), ('DB', 4, 5)),
    270: (('BETADIST', 1, OPEN), ('BETADIST', 3, 5)),
    272: (('BETAINV', 1, OPEN), ('BETAINV', 3, 5)),
    345: (('SUMIF', 3, OPEN), ('SUMIF', 2, 3)),
    354: (('ROMAN', 2, OPEN), ('ROMAN', 1, 2)),
    379: (('RTD', 1, OPEN), ('RTD', 2, 5)),
    # Closed ranges that differ.
    14: (('FIXED', 1, 3), ('FIXED', 2, 3)),
    29: (('INDEX', 1, 3), ('INDEX', 2, 4)),
    31: (('MID', 1, 3), ('MID', 3, 3)),
    56: (('PV', 2, 5), ('PV', 3, 5)),
    57: (('FV', 2, 5), ('FV', 3, 5)),
    58: (('NPER', 2, 5), ('NPER', 3, 5)),
    60: (('RATE', 3, 5), ('RATE', 3, 6)),
}


def agrees(ours, theirs):
    name, lo, hi = ours
    tname, tlo, thi = theirs
    if name != tname or lo == 255:
        return False
    if hi == OPEN:
        return lo == tlo
    return (lo, hi) == (tlo, thi)


def main():
    lines = subprocess.run([sys.argv[1], 'functions'], check=True, capture_output=True,
                           text=True).stdout.split('\n')
    ours = {}
    for line in lines:
        if line:
            number, name, lo, hi = line.split()
            ours[int(number)] = (name, int(lo), int(hi))
    failures = []
    if sorted(ours) != list(range(381)):
        failures.append('table does not hold the functions 0 to 380')
    checked = 0
    for number, definition in sorted(xlrd.formula.func_defs.items()):
        theirs = (definition[0], definition[1], definition[2])
        mine = ours.get(number)
        if number in KNOWN:
            if KNOWN[number] != (mine, theirs):
                failures.append('%d: known difference changed: ours %s, xlrd %s, listed %s'
                                % (number, mine, theirs, KNOWN[number]))
            continue
        checked += 1
        if mine is None or not agrees(mine, theirs):
            failures.append('%d: ours %s, xlrd %s' % (number, mine, theirs))
    unknown = [n for n in KNOWN if n not in xlrd.formula.func_defs]
    if unknown:
        failures.append('listed but unknown to xlrd: %s' % unknown)
    for f in failures:
        print(f)
    print('%d functions agree, %d known differences' % (checked, len(KNOWN)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
