"""The HTML export read by two outside readers.

Python's html.parser: TABLE, TR and TD balance and nest (a TD only in a TR, a TR only in a
TABLE), every row has the table's cells, and the texts (entities decoded, edge blanks kept as
non-breaking spaces) are the grid the workbook shows. LibreOffice headless then reads the file
as a spreadsheet and writes it as CSV: the grid must come back the same (exits 77, skipped,
where LibreOffice is missing; 1 in CI).
"""
import csv
import html.parser
import os
import shutil
import subprocess
import sys
import tempfile


class TableReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []
        self.tables = []
        self.errors = []
        self.text = None

    def handle_starttag(self, tag, attrs):
        if tag in ('table', 'tr', 'td'):
            parent = {'table': None, 'tr': 'table', 'td': 'tr'}[tag]
            if (self.stack[-1] if self.stack else None) != parent:
                self.errors.append('%s inside %s' % (tag, self.stack[-1:] or 'nothing'))
            self.stack.append(tag)
            if tag == 'table':
                self.tables.append([])
            elif tag == 'tr':
                self.tables[-1].append([])
            else:
                self.text = ''
        elif self.text is None and tag not in ('html', 'head', 'meta', 'title', 'body'):
            self.errors.append('%s outside a cell' % tag)

    def handle_endtag(self, tag):
        if tag in ('table', 'tr', 'td'):
            if not self.stack or self.stack[-1] != tag:
                self.errors.append('unbalanced </%s> (open: %s)' % (tag, self.stack))
                return
            self.stack.pop()
            if tag == 'td':
                self.tables[-1][-1].append(self.text)
                self.text = None

    def handle_data(self, data):
        if self.text is not None:
            self.text += data


def main():
    dump, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    out_html = os.path.join(work, 'export.html')
    expected_tsv = os.path.join(work, 'expected.tsv')
    subprocess.run([dump, out_html, expected_tsv], check=True)
    with open(expected_tsv, encoding='utf-8') as f:
        expected = [line.rstrip('\n').split('\t') for line in f]
    # The tab inside a text is the one cell that holds one: join its pieces back.
    expected = [row if len(row) == 3 else [row[0] + '\t' + row[1]] + row[2:] for row in expected]

    raw = open(out_html, 'rb').read()
    assert b'charset=windows-1251' in raw, 'the document does not declare its code page'
    reader = TableReader()
    reader.feed(raw.decode('cp1251'))
    reader.close()
    failures = list(reader.errors)
    if reader.stack:
        failures.append('left open: %s' % reader.stack)
    if len(reader.tables) != 1:
        failures.append('%d tables' % len(reader.tables))
    grid = [[cell.replace('\xa0', ' ') for cell in row] for row in reader.tables[0]]
    shown = [[text if text != ' ' else '' for text in row] for row in grid]
    if shown != expected:
        failures.append('html.parser grid %r != expected %r' % (shown, expected))
    for needle in (b'&lt;script&gt;', b'&amp;lt; stays text', b'&lt;b&gt;c&lt;/b&gt;',
                   b'<TITLE>check &amp; &lt;see&gt;.xls</TITLE>'):
        if needle not in raw:
            failures.append('missing %r' % needle)
    if b'<script>' in raw:
        failures.append('an unescaped script element')
    print('html.parser: %d rows of %s cells' % (len(grid), sorted({len(r) for r in grid})))

    soffice = shutil.which('soffice')
    if not soffice:
        if failures:
            print('\n'.join(failures))
            return 1
        if os.environ.get('CI'):
            print('LibreOffice is missing')
            return 1
        print('LibreOffice not installed: skipped')
        return 77
    with tempfile.TemporaryDirectory() as tmp:
        profile = 'file://' + os.path.join(tmp, 'profile')
        subprocess.run([soffice, '-env:UserInstallation=' + profile, '--headless',
                        '--infilter=HTML (StarCalc)',
                        '--convert-to', 'csv:Text - txt - csv (StarCalc):44,34,76',
                        '--outdir', tmp, out_html],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300)
        with open(os.path.join(tmp, 'export.csv'), encoding='utf-8', newline='') as f:
            office = [[cell.replace('\xa0', ' ') for cell in row] for row in csv.reader(f)]
    # HTML shows a run of white space inside a text (the TAB too) as one blank, and
    # LibreOffice reads an empty cell's non-breaking space as a blank: compare texts as shown,
    # white space collapsed and without the edge blanks.
    office = [[' '.join(cell.split()) for cell in row] for row in office]
    wanted = [[' '.join(cell.split()) for cell in row] for row in expected]
    if office != wanted:
        failures.append('LibreOffice grid %r != expected %r' % (office, wanted))
    print('LibreOffice: %d rows read back' % len(office))
    if failures:
        print('\n'.join(failures))
        return 1
    print('ok')
    return 0


if __name__ == '__main__':
    sys.exit(main())
