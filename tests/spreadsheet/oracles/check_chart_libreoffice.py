#!/usr/bin/python3
"""Has LibreOffice write a spreadsheet with charts of seven kinds (bar, line, pie, area, radar,
filled radar, scatter) over one table into an .xls, takes each chart's records (BOF of a chart
to its EOF) out of the workbook stream, reads them with our chart reader, attaches the typed
layer and writes them back. The records must come back byte for byte, except what our writer
changes on purpose: drawing records of 80 bytes or less are dropped, FONTX and FBI records carry
the index their font has in our font list, and a gel frame attached to the typed layer is
written from its property table (one record, which must hold the same properties). The fourth
chart fills its area and first series with a gradient, which LibreOffice writes as gel frames
(the chart area's attached to the typed layer, the series' data point's kept as read). The typed
layer must find each chart's style, and the series' values, categories and names must read as
the ranges of the .fods, in our syntax.

Then our default chart, given a series over the same table, takes the place of LibreOffice's
first chart in a compound file of the workbook: xlrd must read it, and LibreOffice must read our
chart as a bar chart of that series with its name and categories. The default chart with each
chart group of the templates (area, horizontal bar, line, pie, radar, scatter, surface) must read
in LibreOffice as a chart of that kind."""
import os
import re
import struct
import subprocess
import sys
import tempfile

from libreoffice_support import (convert, float_cell, soffice_or_exit, text_cell,
                                 workbook_records, write_fods)

BOF, EOF, MSODRAWING, FONTX, FBI, GELFRAME, CONTINUE = (0x0809, 0x000A, 0x00EC, 0x1026,
                                                        0x1060, 0x1066, 0x003C)
KINDS = ['bar', 'line', 'circle', 'bar', 'area', 'radar', 'filled-radar', 'scatter']
# The style the typed layer must find for each kind of chart.
STYLES = {'bar': 'TChartStyleBarColumn', 'line': 'TChartStyleLine', 'circle': 'TChartStylePie',
          'area': 'TChartStyleArea', 'radar': 'TChartStyleRadar',
          'filled-radar': 'TChartStyleRadarArea', 'scatter': 'TChartStyleScatter'}
GRADIENT = 3  # the chart whose area and first series have a gradient fill
NAMESPACES = ('xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
              'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
              'xmlns:chart="urn:oasis:names:tc:opendocument:xmlns:chart:1.0" '
              'xmlns:xlink="http://www.w3.org/1999/xlink" '
              'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" ')
GRADIENT_STYLES = ('<office:styles><draw:gradient draw:name="g1" draw:style="linear" '
                   'draw:start-color="#ff0000" draw:end-color="#0000ff" '
                   'draw:start-intensity="100%" draw:end-intensity="100%" draw:angle="0" '
                   'draw:border="0%"/></office:styles><office:automatic-styles>'
                   '<style:style style:name="ch1" style:family="chart"><style:graphic-properties '
                   'draw:fill="gradient" draw:fill-gradient-name="g1"/></style:style>'
                   '</office:automatic-styles>')


def chart_frame(kind, n):
    """A chart of two series (B and C over the days in A) anchored from row n on."""
    frame = chart_frame_plain(kind, n)
    if n == GRADIENT:
        frame = frame.replace('<office:body>', GRADIENT_STYLES + '<office:body>')
        frame = frame.replace('<chart:chart ', '<chart:chart chart:style-name="ch1" ')
        frame = frame.replace('<chart:plot-area ', '<chart:plot-area chart:style-name="ch1" ')
        frame = frame.replace('<chart:series ', '<chart:series chart:style-name="ch1" ', 1)
    return frame


def chart_frame_plain(kind, n):
    return ('<draw:frame table:end-cell-address="Sheet1.H%d" svg:width="8cm" svg:height="6cm" '
            'svg:x="0cm" svg:y="0cm"><draw:object><office:document '
            'office:mimetype="application/vnd.oasis.opendocument.chart" office:version="1.2">'
            '<office:body><office:chart><chart:chart chart:class="chart:%s" svg:width="8cm" '
            'svg:height="6cm"><chart:title><text:p>Readings %d</text:p></chart:title>'
            '<chart:legend chart:legend-position="end"/>'
            '<chart:plot-area table:cell-range-address="Sheet1.A1:Sheet1.C5" '
            'chart:data-source-has-labels="both">'
            '<chart:axis chart:dimension="x" chart:name="primary-x"><chart:categories '
            'table:cell-range-address="Sheet1.A2:Sheet1.A5"/></chart:axis>'
            '<chart:axis chart:dimension="y" chart:name="primary-y"/>'
            '<chart:series chart:values-cell-range-address="Sheet1.B2:Sheet1.B5" '
            'chart:label-cell-address="Sheet1.B1"/>'
            '<chart:series chart:values-cell-range-address="Sheet1.C2:Sheet1.C5" '
            'chart:label-cell-address="Sheet1.C1"/>'
            '</chart:plot-area></chart:chart></office:chart></office:body></office:document>'
            '</draw:object></draw:frame>' % (n + 12, kind, n))


def table():
    rows = [[text_cell('Day'), text_cell('Volts'), text_cell('Amps')]]
    for i in range(4):
        rows.append([text_cell('D%d' % (i + 1)), float_cell(12 + i), float_cell(i * 0.5)])
    return rows


def theirs(soffice, work):
    """LibreOffice's workbook records and the chart substreams among them."""
    rows = table()
    for n, kind in enumerate(KINDS):
        while len(rows) <= 6 + 14 * n:
            rows.append([float_cell(0)])
        cell = rows[6 + 14 * n][0]
        rows[6 + 14 * n][0] = cell.replace('/>', '>%s</table:table-cell>' % chart_frame(kind, n))
    src = os.path.join(work, 'charts.fods')
    write_fods(src, [('Sheet1', rows)])
    with open(src, encoding='utf-8') as f:
        text = f.read()
    with open(src, 'w', encoding='utf-8') as f:
        f.write(text.replace('xmlns:of=', NAMESPACES + 'xmlns:of='))
    records = workbook_records(convert(soffice, work, src, 'xls'))
    charts, at = [], 0
    while at < len(records):
        rec, body = records[at]
        if rec == BOF and body[2:4] == b'\x20\x00':
            end = next(i for i in range(at, len(records)) if records[i][0] == EOF)
            charts.append(records[at:end + 1])
            at = end + 1
        else:
            at += 1
    return records, charts


def parse(data):
    out, at = [], 0
    while at + 4 <= len(data):
        rec, length = data[at] | data[at + 1] << 8, data[at + 2] | data[at + 3] << 8
        out.append((rec, bytes(data[at + 4:at + 4 + length])))
        at += 4 + length
    return out


def serialise(records):
    return b''.join(bytes([r & 0xFF, r >> 8, len(b) & 0xFF, len(b) >> 8]) + b for r, b in records)


def expected(records):
    """LibreOffice's records with the documented differences applied: drawing records of 80
    bytes or less dropped; a gel frame and its continuation parts as one record."""
    out = []
    for rec, body in records:
        if rec == MSODRAWING and len(body) <= 80:
            continue
        if rec in (GELFRAME, CONTINUE) and out and out[-1][0] == GELFRAME:
            out[-1] = (GELFRAME, out[-1][1] + body)
            continue
        out.append((rec, body))
    return out


def properties(body):
    """The properties of every property table (OPT) in a gel frame's body, later ones
    replacing earlier ones: {number: (value, complex bytes)}."""
    table, at = {}, 0
    while at + 8 <= len(body):
        ver_inst, rec_type, length = struct.unpack_from('<HHI', body, at)
        at += 8
        if rec_type == 0xF00B:
            count, pos = ver_inst >> 4, at
            props = [struct.unpack_from('<HI', body, pos + 6 * i) for i in range(count)]
            pos += 6 * count
            for number, value in props:
                blob = b''
                if number & 0x8000:
                    blob, pos = body[pos:pos + value], pos + value
                table[number & 0x3FFF] = (number & 0xC000, value, blob)
        at += length
    return table


def compare(n, lo, ours):
    """Differences between LibreOffice's records and ours, and how many gel frames and font
    records differ only where documented."""
    failures, documented = [], 0
    # Our gel frames are one record (split into continuations only above 8224 bytes).
    a, b = expected(lo), expected(ours)
    if len(a) != len(b):
        failures.append('chart %d: %d records from LibreOffice, %d written back'
                        % (n, len(a), len(b)))
    for i, (x, y) in enumerate(zip(a, b)):
        if x == y:
            continue
        if x[0] == y[0] == GELFRAME and properties(x[1]) == properties(y[1]):
            documented += 1  # rebuilt from its property table
            continue
        if x[0] == y[0] == FBI and x[1][:8] == y[1][:8]:
            documented += 1  # the font's index in our list
            continue
        failures.append('chart %d record %d: LibreOffice %04x %s\n%sours        %04x %s'
                        % (n, i, x[0], x[1].hex(), ' ' * 16, y[0], y[1].hex()))
    return failures, documented


def check_libreoffice(tool, work, charts):
    failures, same, documented = [], 0, 0
    # Both series whatever their order (LibreOffice writes area charts' last series first);
    # scatter charts have no categories.
    wanted = sorted([('Sheet1!$B$2:$B$5', 'Volts'), ('Sheet1!$C$2:$C$5', 'Amps')])
    for n, chart in enumerate(charts):
        src, dst = os.path.join(work, 'in%d.bin' % n), os.path.join(work, 'out%d.bin' % n)
        with open(src, 'wb') as f:
            f.write(serialise(chart))
        run = subprocess.run([tool, 'roundtrip', src, dst], capture_output=True, text=True)
        if run.returncode != 0:
            failures.append('chart %d does not read: %s%s' % (n, run.stdout, run.stderr))
            continue
        kind = KINDS[n] if n < len(KINDS) else 'unknown'
        print('chart %d (%s): %s' % (n, kind, run.stdout.strip().replace('\n', '; ')))
        lines = run.stdout.splitlines()
        style = STYLES.get(kind, '?')
        if 'style ' + style not in lines:
            failures.append('chart %d: %s expected, read %r' % (n, style, lines[:1]))
        attached = sum(int(line.split()[1]) for line in lines
                       if line.startswith('attached-gel-frames '))
        if n == GRADIENT and attached == 0:
            failures.append('chart %d: no gel frame attached to the typed layer' % n)
        series = [dict(part.split('=', 1) for part in line.split()[2:])
                  for line in lines if line.startswith('series ')]
        category = '' if kind == 'scatter' else 'Sheet1!$A$2:$A$5'
        read = sorted((s.get('values'), s.get('name')) for s in series)
        if read != wanted or any(s.get('category') != category for s in series):
            failures.append('chart %d: series %r, expected %r over %r' % (n, series, wanted,
                                                                           category))
        with open(dst, 'rb') as f:
            ours = parse(f.read())
        more, doc = compare(n, chart, ours)
        failures += more
        documented += doc
        same += sum(1 for x, y in zip(expected(chart), expected(ours)) if x == y)
    return failures, same, documented


def compound_file(stream, name='Workbook'):
    """A compound file holding one stream (padded to 4096 bytes, so that it needs no mini
    stream): the header, the stream's sectors, one directory sector and the allocation table."""
    stream = stream + b'\0' * max(0, 4096 - len(stream))
    size = 512
    count = (len(stream) + size - 1) // size
    data = stream + b'\0' * (count * size - len(stream))
    tables = 1
    while count + 1 + tables > tables * 128:
        tables += 1
    end, free, table_sector = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD
    fat = [free] * (tables * 128)
    for i in range(count - 1):
        fat[i] = i + 1
    fat[count - 1] = end
    fat[count] = end  # the directory
    for i in range(tables):
        fat[count + 1 + i] = table_sector

    def entry(entry_name, kind, child, start, length):
        text = entry_name.encode('utf-16-le') + b'\0\0' if entry_name else b''
        return (text + b'\0' * (64 - len(text))
                + struct.pack('<HBBIII', len(text), kind, 1 if kind else 0, free, free, child)
                + b'\0' * 36 + struct.pack('<IQ', start, length))

    directory = (entry('Root Entry', 5, 1, end, 0) + entry(name, 2, free, 0, len(stream))
                 + entry('', 0, free, 0, 0) * 2)
    header = (bytes.fromhex('D0CF11E0A1B11AE1') + b'\0' * 16
              + struct.pack('<HHHHH', 0x3E, 3, 0xFFFE, 9, 6) + b'\0' * 6
              + struct.pack('<9I', 0, tables, count, 0, 4096, end, 0, end, 0)
              + struct.pack('<109I', *([count + 1 + i for i in range(tables)]
                                       + [free] * (109 - tables))))
    return header + data + directory + struct.pack('<%dI' % len(fat), *fat)


def our_chart(tool, work, group=None):
    """Our default chart with a series over Sheet1!$B$2:$B$5 named "Volts" (with the chart
    group of template `group`): the line the tool prints, and its records."""
    dst = os.path.join(work, 'ours.bin')
    run = subprocess.run([tool, 'default', dst] + ([str(group)] if group else []),
                         capture_output=True, text=True, check=True)
    with open(dst, 'rb') as f:
        return run.stdout.strip().replace('\n', '; '), parse(f.read())


def with_our_charts(work, records, ours):
    """A compound file of LibreOffice's workbook whose first charts are ours instead."""
    out, at, n = [], 0, 0
    while at < len(records):
        rec, body = records[at]
        if rec == BOF and body[2:4] == b'\x20\x00' and n < len(ours):
            out += ours[n]
            n += 1
            at = next(i for i in range(at, len(records)) if records[i][0] == EOF) + 1
        else:
            out.append(records[at])
            at += 1
    path = os.path.join(work, 'ours.xls')
    with open(path, 'wb') as f:
        f.write(compound_file(serialise(out)))
    return path


def charts_read(soffice, work, path):
    """The chart documents LibreOffice reads from a workbook, in order."""
    with open(convert(soffice, work, path, 'fods'), encoding='utf-8') as f:
        return re.findall(r'<office:document .*?</office:document>', f.read(), re.S)


def series_of(chart):
    return re.findall(r'<chart:series [^>]*>', chart)


def check_default_chart(tool, soffice, work, records):
    """Our default chart, given one series, in place of LibreOffice's first chart: xlrd reads
    the workbook, and LibreOffice reads it back as a bar chart of that series."""
    import xlrd
    printed, ours = our_chart(tool, work)
    path = with_our_charts(work, records, [ours])
    failures = []
    sheet = xlrd.open_workbook(path, logfile=open(os.devnull, 'w')).sheet_by_index(0)
    if sheet.cell_value(1, 1) != 12.0 or sheet.cell_value(0, 1) != 'Volts':
        failures.append('xlrd reads the sheet beside our chart wrongly: %r'
                        % [sheet.cell_value(r, 1) for r in range(2)])
    charts = charts_read(soffice, work, path)
    first = charts[0] if charts else ''
    series = series_of(first)
    wanted = [('chart class', 'chart:class="chart:bar"' in first),
              ('one series', len(series) == 1),
              ('values', bool(series) and
               'chart:values-cell-range-address="Sheet1.B2:Sheet1.B5"' in series[0]),
              ('name', bool(series) and '&quot;Volts&quot;' in series[0]),
              ('categories',
               '<chart:categories table:cell-range-address="Sheet1.A2:Sheet1.A5"/>' in first)]
    if len(charts) != len(KINDS):
        failures.append('LibreOffice reads %d charts, %d expected' % (len(charts), len(KINDS)))
    failures += ['LibreOffice reads our default chart with another %s: %s'
                 % (what, (series or [first[:300]])[0]) for what, ok in wanted if not ok]
    print('default chart: %s; %d records; xlrd reads the workbook, LibreOffice reads %d charts, '
          'ours a bar chart of %d series' % (printed, len(ours), len(charts), len(series)))
    return failures


# Chart-group templates 4 to 10 and what LibreOffice must read them as: its class and whether
# the bars lie (LibreOffice has no surface charts and draws one as columns).
GROUPS = [(4, 'chart:area', False), (5, 'chart:bar', True), (6, 'chart:line', False),
          (7, 'chart:circle', False), (8, 'chart:radar', False), (9, 'chart:scatter', False),
          (10, 'chart:bar', False)]


def check_chart_groups(tool, soffice, work, records):
    """Our default chart with each chart-group template in place of LibreOffice's charts."""
    ours = [our_chart(tool, work, group)[1] for group, _, _ in GROUPS]
    charts = charts_read(soffice, work, with_our_charts(work, records, ours))
    failures = []
    for (group, kind, lying), chart in zip(GROUPS, charts):
        found = re.search(r'chart:class="([^"]*)"', chart)
        series = series_of(chart)
        if (not found or found.group(1) != kind
                or ('chart:vertical="true"' in chart) != lying or len(series) != 1
                or 'chart:values-cell-range-address="Sheet1.B2:Sheet1.B5"' not in series[0]):
            failures.append('chart group %d: LibreOffice reads %s (%d series), %s expected'
                            % (group, found.group(1) if found else 'no chart', len(series), kind))
    if len(charts) != len(KINDS):
        failures.append('LibreOffice reads %d charts, %d expected' % (len(charts), len(KINDS)))
    print('chart groups: LibreOffice reads our templates 4-10 as %s'
          % ', '.join(re.search(r'chart:class="chart:([^"]*)"', c).group(1) for c in charts[:7]))
    return failures


def main():
    tool = sys.argv[1]
    soffice = soffice_or_exit()
    with tempfile.TemporaryDirectory() as work:
        records, charts = theirs(soffice, work)
        failures = []
        if len(charts) != len(KINDS):
            failures.append('%d charts in LibreOffice\'s workbook, %d expected'
                            % (len(charts), len(KINDS)))
        gel_frames = sum(1 for r, _ in charts[GRADIENT] if r == GELFRAME) if charts else 0
        if gel_frames == 0:
            failures.append('the gradient chart has no gel frame')
        more, same, documented = check_libreoffice(tool, work, charts)
        failures += more
        failures += check_default_chart(tool, soffice, work, records)
        failures += check_chart_groups(tool, soffice, work, records)
    for f in failures:
        print('DIFFERS ' + f)
    total = sum(len(c) for c in charts)
    print('%d chart records from LibreOffice in %d charts (%d gel frames), %d written back byte '
          'for byte, %d differing where documented, %d failures'
          % (total, len(charts), gel_frames, same, documented, len(failures)))
    return 1 if failures or total < 100 else 0


if __name__ == '__main__':
    sys.exit(main())
