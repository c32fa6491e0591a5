#!/usr/bin/python3
"""Writes a record stream from the default workbook and sheet records (plus one body long
enough to need continuation records) and checks that xlrd's dump of it lists exactly the
records the writer reports, with their ids and lengths, and names the key records as the
published format does."""
import sys

from xlrd_support import dumped_records, written_records

NAMES = {
    0x0809: 'BOF', 0x000A: 'EOF', 0x003D: 'WINDOW1', 0x0042: 'CODEPAGE', 0x00A1: 'SETUP',
    0x023E: 'WINDOW2', 0x001D: 'SELECTION', 0x0200: 'DIMENSIONS', 0x0225: 'DEFAULTROWHEIGHT',
    0x0081: 'WSBOOL', 0x003C: 'CONTINUE', 0x01C1: 'RECALCID',
}


def main():
    tool, path = sys.argv[1], sys.argv[2]
    expected = written_records(tool, 'records', path)
    dumped = dumped_records(path)
    listed = [(rec_id, length) for rec_id, length, _ in dumped]
    names = {rec_id: name for rec_id, _, name in dumped}

    failures = []
    if listed != expected:
        failures.append('records differ:\n  written %s\n  listed  %s' % (expected, listed))
    for rec_id, name in NAMES.items():
        if names.get(rec_id) != name:
            failures.append('record %04x named %r, expected %r' % (rec_id, names.get(rec_id), name))
    # 25 global and 28 sheet defaults less 5 and 6 placeholders; one record in three parts.
    if len(expected) != 20 + 22 + 3:
        failures.append('%d records written' % len(expected))
    for f in failures:
        print(f)
    print('%d records listed by xlrd' % len(listed))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
