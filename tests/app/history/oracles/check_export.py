#!/usr/bin/python3
"""Reads history exports with outside readers and compares every cell with the texts they were
made from (ExportDump writes both). A cell holds the text in Windows-1251, cut at 255 bytes;
characters the code page lacks become "?".

    check_export.py xlrd DUMP WORK          xlrd, with no code-page override
    check_export.py libreoffice DUMP WORK   LibreOffice headless, converted to UTF-8 CSV
"""
import csv
import os
import shutil
import subprocess
import sys

import xlrd

UNIT_RECORDS = '1000'


def cell_text(text):
    return text.encode('cp1251', errors='replace').decode('cp1251')[:255]


def expected_grid(tsv):
    with open(tsv, encoding='utf-8') as f:
        return [[cell_text(c) for c in line.rstrip('\n').split('\t')] for line in f]


def trimmed(row):
    row = list(row)
    while row and row[-1] == '':
        row.pop()
    return row


def make(dump, work):
    files = []
    for name, args in (('sample', ['sample']), ('unit', ['unit', UNIT_RECORDS])):
        xls, tsv = os.path.join(work, name + '.xls'), os.path.join(work, name + '.tsv')
        subprocess.run([dump] + args + [xls, tsv], check=True, timeout=300)
        files.append((xls, tsv))
    return files


def compare(name, got, want):
    if len(got) != len(want):
        print('%s: %d rows, expected %d' % (name, len(got), len(want)))
        return False
    for r, (g, w) in enumerate(zip(got, want)):
        if trimmed(g) != trimmed(w):
            print('%s row %d:\n  got  %r\n  want %r' % (name, r, g, w))
            return False
    return True


def check_xlrd(files):
    ok = True
    for xls, tsv in files:
        book = xlrd.open_workbook(xls)
        sheet = book.sheet_by_index(0)
        got = [[sheet.cell_value(r, c) for c in range(sheet.ncols)] for r in range(sheet.nrows)]
        ok &= compare(os.path.basename(xls), got, expected_grid(tsv))
    return ok


def check_libreoffice(files, work):
    soffice = shutil.which('soffice')
    if not soffice:
        if os.environ.get('CI'):
            print('LibreOffice is missing')
            return False
        print('LibreOffice not installed: skipped')
        sys.exit(77)
    profile = 'file://' + os.path.join(work, 'profile')
    subprocess.run([soffice, '-env:UserInstallation=' + profile, '--headless', '--convert-to',
                    'csv:Text - txt - csv (StarCalc):44,34,76', '--outdir', work]
                   + [xls for xls, _ in files], check=True, capture_output=True, timeout=300)
    ok = True
    for xls, tsv in files:
        with open(os.path.splitext(xls)[0] + '.csv', encoding='utf-8', newline='') as f:
            got = list(csv.reader(f))
        ok &= compare(os.path.basename(xls), got, expected_grid(tsv))
    return ok


def main():
    mode, dump, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    files = make(dump, work)
    ok = check_xlrd(files) if mode == 'xlrd' else check_libreoffice(files, work)
    print('ok' if ok else 'FAILED')
    sys.exit(0 if ok else 1)


main()
