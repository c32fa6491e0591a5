#!/usr/bin/python3
"""Writes a workbook stream of one sheet with a drawing of every default shape and checks that
xlrd's dump lists exactly the drawing records the writer reports (ids and lengths), and that
xlrd reads the note on B2 with its text and author."""
import sys

import xlrd

from xlrd_support import dumped_records, written_records

DRAWING = {0x00EC, 0x005D, 0x01B6, 0x003C, 0x001C}


def main():
    tool, path = sys.argv[1], sys.argv[2]
    expected = written_records(tool, 'write', path)
    listed = [(rec_id, length) for rec_id, length, _ in dumped_records(path) if rec_id in DRAWING]
    failures = []
    if listed != expected:
        failures.append('records differ:\n  written %s\n  listed  %s' % (expected, listed))
    book = xlrd.open_workbook(path, formatting_info=True)
    notes = book.sheet_by_index(0).cell_note_map
    note = notes.get((1, 1))
    if not note:
        failures.append('no note on B2: %r' % notes)
    elif (note.text, note.author) != ('A note on B2', 'Tester'):
        failures.append('note reads %r by %r' % (note.text, note.author))
    for f in failures:
        print(f)
    print('%d drawing records listed by xlrd; note %r' % (len(listed), note and (note.text, note.author)))
    return 1 if failures or len(expected) < 10 else 0


if __name__ == '__main__':
    sys.exit(main())
