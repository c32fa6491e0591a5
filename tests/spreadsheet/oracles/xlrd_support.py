"""What the xlrd checks share: running a tool that writes a stream and lists the records it
wrote, and the records xlrd's dump lists for a stream."""
import io
import re
import subprocess

import xlrd

LINE = re.compile(r'^\s*\d+: ([0-9a-f]{4}) (\S+) len = [0-9a-f]{4} \((\d+)\)')


def written_records(tool, mode, path):
    """Runs `tool mode path`, which prints one "id length" line (hexadecimal id) per record."""
    lines = subprocess.run([tool, mode, path], check=True, capture_output=True,
                           text=True).stdout.split('\n')
    return [(int(i, 16), int(n)) for i, n in (line.split() for line in lines if line)]


def dumped_records(path):
    """[(id, length, name)] of every record xlrd's dump lists."""
    out = io.StringIO()
    xlrd.dump(path, outfile=out)
    return [(int(m.group(1), 16), int(m.group(3)), m.group(2))
            for m in (LINE.match(line) for line in out.getvalue().split('\n')) if m]
