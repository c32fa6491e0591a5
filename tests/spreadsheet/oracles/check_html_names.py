#!/usr/bin/python3
"""Compares our HTML entity table with the entities of HTML 4.01 as Python's html.entities
knows them: the same 252 names with the same characters, plus "apos" (39); and our escape texts
with Python's entity names for the codes 161 to 255."""
import html.entities
import subprocess
import sys


def main():
    out = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True).stdout
    entities, escapes = [], []
    for line in out.splitlines():
        kind, text, code = line.split(' ')
        (entities if kind == 'entity' else escapes).append((text, int(code)))
    failures = []
    ours = dict(entities)
    theirs = dict(html.entities.name2codepoint, apos=39)
    if len(ours) != len(entities):
        failures.append('names stand twice in our table')
    for name in sorted(set(ours) | set(theirs)):
        if ours.get(name) != theirs.get(name):
            failures.append('%s: ours %r, html.entities %r' % (name, ours.get(name),
                                                               theirs.get(name)))
    # Latin-1 first, in code order.
    if [code for _, code in entities[:96]] != list(range(160, 256)):
        failures.append('the Latin-1 entities do not stand first in code order')
    expected = [('&nbsp;', 32), ('&quot;', 34), ('&amp;', 38), ('&lt;', 60), ('&gt;', 62)]
    expected += [('&%s;' % html.entities.codepoint2name[c], c) for c in range(161, 256)]
    if escapes != expected:
        failures.append('escape texts differ: %r' % [(a, b) for a, b in zip(escapes, expected)
                                                      if a != b][:5])
    for f in failures:
        print('DIFFERS ' + f)
    print('%d entities and %d escape texts compared with html.entities, %d differences'
          % (len(entities), len(escapes), len(failures)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
