"""What the checks against LibreOffice share: finding soffice (or skipping), writing a flat
.fods spreadsheet, converting it headless, reading the records of an .xls it wrote, and turning
a formula of ours (A1 references, "," between arguments) into the OpenDocument syntax."""
import os
import re
import shutil
import struct
import subprocess
import sys
from xml.sax.saxutils import escape

import xlrd.compdoc


def soffice_or_exit():
    """The soffice program; exits 77 (skipped) where it is missing, 1 in CI."""
    soffice = shutil.which('soffice')
    if soffice:
        return soffice
    if os.environ.get('CI'):
        print('LibreOffice is missing')
        sys.exit(1)
    print('LibreOffice not installed: skipped')
    sys.exit(77)


def float_cell(value):
    return '<table:table-cell office:value-type="float" office:value="%r"/>' % float(value)


def text_cell(text):
    return ('<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>'
            % escape(text))


def boolean_cell(value):
    return ('<table:table-cell office:value-type="boolean" office:boolean-value="%s"/>'
            % ('true' if value else 'false'))


def formula_cell(odf):
    return '<table:table-cell table:formula=%s/>' % (
        '"' + escape('of:=' + odf, {'"': '&quot;'}) + '"')


def empty_cell():
    return '<table:table-cell/>'


def write_fods(path, sheets):
    """sheets: [(name, [[cell xml, ...] per row])]. Texts compare ignoring case, as in the
    workbooks of the published format."""
    tables = ''.join(
        '<table:table table:name="%s">%s</table:table>' % (
            escape(name), ''.join('<table:table-row>%s</table:table-row>' % ''.join(row)
                                  for row in rows) or '<table:table-row><table:table-cell/>'
                                                      '</table:table-row>')
        for name, rows in sheets)
    with open(path, 'w', encoding='utf-8') as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
                'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
                'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
                'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" '
                'office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">'
                '<office:body><office:spreadsheet>'
                '<table:calculation-settings table:case-sensitive="false"/>%s'
                '</office:spreadsheet></office:body>'
                '</office:document>\n' % tables)


def convert(soffice, work, src, target):
    """Converts src into the work folder (target: 'xls', 'csv:...'); returns the new path."""
    profile = 'file://' + os.path.join(work, 'profile')
    subprocess.run([soffice, '-env:UserInstallation=' + profile, '--headless', '--convert-to',
                    target, '--outdir', work, src], check=True, capture_output=True, timeout=300)
    ext = target.split(':')[0]
    return os.path.join(work, os.path.splitext(os.path.basename(src))[0] + '.' + ext)


def workbook_records(path):
    """The (id, body) records of the workbook stream of an .xls file."""
    data = open(path, 'rb').read()
    stream = xlrd.compdoc.CompDoc(data, logfile=open(os.devnull, 'w')).get_named_stream('Workbook')
    records, pos = [], 0
    while pos + 4 <= len(stream):
        rec_id, length = struct.unpack_from('<HH', stream, pos)
        records.append((rec_id, bytes(stream[pos + 4:pos + 4 + length])))
        pos += 4 + length
    return records


REFERENCE = re.compile(r"((?:[A-Za-z_][A-Za-z0-9_]*|'[^']*')!)?(\$?[A-Z]{1,2}\$?\d+)"
                       r"(?::(\$?[A-Z]{1,2}\$?\d+))?(?![A-Za-z0-9_(])")


def odf_formula(text):
    """A1 references become [.A1], [.A1:.B2] or [$Sheet2.A1]; "," between arguments ";"."""
    out, pos = [], 0
    for part in re.split(r'("[^"]*")', text):
        if part.startswith('"'):
            out.append(part)
            continue
        def ref(m):
            sheet = m.group(1)[:-1] if m.group(1) else ''
            first = ('$' + sheet if sheet else '') + '.' + m.group(2)
            if m.group(3):
                return '[%s:%s]' % (first, ('$' + sheet if sheet else '') + '.' + m.group(3))
            return '[%s]' % first
        out.append(REFERENCE.sub(ref, part).replace(',', ';'))
    return ''.join(out)
