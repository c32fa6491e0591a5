#!/usr/bin/python3
"""Renders a table of values with number-format masks twice: with our mask renderer and with
LibreOffice's TEXT() (a generated .fods converted headless to CSV), and compares. The places
where our renderer deliberately keeps its own rules are listed in DEPARTURES with the reason;
any other difference fails. Without LibreOffice the check is skipped (exit 77), unless CI is
set, where LibreOffice is installed and the check must run."""
import csv
import os
import shutil
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape

CASES = [
    (3.14159, '0.00'), (1234567, '#,##0'), (0.25, '0%'), (-2, '0.00;(0.00)'),
    (0, '0.00;(0.00);"zero"'), (-5, '0'), (7, '000'), (-5, '000'), (5, '?0'),
    (2.25, '0.0'), (-1234.5, '#,##0.00'), (12345, '0.0,'), (0.123456, '0.00%'),
    (3, '"$"0.00'), (4, '0_)'), (4, '\\#0'), (12345, '0.00E+00'), (0.000123, '0.00E+00'),
    (12345, '0.0E+0'), (12345, '##0.0E+0'), (0.5, 'hh:mm'), (0.5035532407407407, 'mm:ss'),
    (1.5, '[h]'), (0.25, '[m]'), (0.75, 'h AM/PM'), (0.5, 'h AM/PM'), (0, 'h AM/PM'),
    (0.25, 'hh:mm am/pm'), (45000, 'd-mmm-yy'), (45000, 'dddd, mmmm d, yyyy'),
    (45000.75, 'm/d/yy h:mm'), (45000, 'yyyy-mm-dd'), (1.5, '#.##'), (1.5, '0.##'),
    (1234.5678, '#,##0.000'), (1000000, '#,##0,,"M"'), (0.5, '# ?/?'), (2.5, '# ?/?'),
]

# Where our renderer keeps its own rules, with the reason.
DEPARTURES = {
    ('h AM/PM', 0.5): 'the hour at noon is shown as hour - 12 (0 PM)',
    ('h AM/PM', 0.0): 'the hour at midnight is shown as the hour itself (0 AM)',
    ('0.0E+0', 12345.0): 'precision is the digits after the point less one, exponent width '
                         'the element index of the point',
    ('##0.0E+0', 12345.0): 'same: no engineering exponents, widths from the element positions',
    ('#.##', 1.5): 'optional decimal places still take the formatted zeros',
    ('0.##', 1.5): 'same',
    ('# ?/?', 0.5): 'fractions are rendered by the cell values, not by the mask',
    ('# ?/?', 2.5): 'same',
    ('0_)', 4.0): '"_" skips the next character and adds nothing (no padding blank)',
    ('hh:mm am/pm', 0.25): 'lower-case am/pm is shown in lower case',
}


def ours(tool):
    lines = ''.join('%r\t%s\n' % (v, m) for v, m in CASES)
    out = subprocess.run([tool, 'masks'], input=lines, capture_output=True, text=True, check=True)
    return out.stdout.split('\n')[:len(CASES)]


def fods(path):
    rows = []
    for value, mask in CASES:
        literal = '"' + mask.replace('"', '""') + '"'
        formula = 'of:=TEXT([.A%d];%s)' % (len(rows) + 1, literal)
        rows.append('<table:table-row><table:table-cell office:value-type="float" '
                    'office:value="%r"/><table:table-cell table:formula=%s/></table:table-row>'
                    % (value, '"' + escape(formula, {'"': '&quot;'}) + '"'))
    with open(path, 'w', encoding='utf-8') as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
                'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
                'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" '
                'office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">'
                '<office:body><office:spreadsheet><table:table table:name="T">%s</table:table>'
                '</office:spreadsheet></office:body></office:document>\n' % ''.join(rows))


def libreoffice(soffice, work):
    src = os.path.join(work, 'masks.fods')
    fods(src)
    profile = 'file://' + os.path.join(work, 'profile')
    subprocess.run([soffice, '-env:UserInstallation=' + profile, '--headless', '--convert-to',
                    'csv:Text - txt - csv (StarCalc):44,34,76', '--outdir', work, src],
                   check=True, capture_output=True, timeout=300)
    with open(os.path.join(work, 'masks.csv'), encoding='utf-8') as f:
        return [row[1] if len(row) > 1 else '' for row in csv.reader(f)]


def main():
    tool = sys.argv[1]
    soffice = shutil.which('soffice')
    if not soffice:
        if os.environ.get('CI'):
            print('LibreOffice is missing')
            return 1
        print('LibreOffice not installed: skipped')
        return 77
    with tempfile.TemporaryDirectory() as work:
        theirs = libreoffice(soffice, work)
    mine = ours(tool)
    failures, departures = [], 0
    for (value, mask), a, b in zip(CASES, mine, theirs):
        if a == b:
            continue
        reason = DEPARTURES.get((mask, float(value)))
        if reason:
            departures += 1
            print('departure  %-22s %-12r ours %-16r LibreOffice %r: %s' % (mask, value, a, b, reason))
        else:
            failures.append('%-22s %-12r ours %r, LibreOffice %r' % (mask, value, a, b))
    for f in failures:
        print('DIFFERS    ' + f)
    print('%d masks compared, %d agree, %d listed departures, %d unexpected differences'
          % (len(CASES), len(CASES) - departures - len(failures), departures, len(failures)))
    return 1 if failures or len(theirs) < len(CASES) else 0


if __name__ == '__main__':
    sys.exit(main())
