#!/usr/bin/python3
"""A form's placement kept by its state storage across separate runs of a program.

  formstate_oracle.py DRIVER   runs the driver (one program run each) in a fresh configuration
                               folder: the first run shows the designed placement and moves the
                               form; the second shows the moved placement and closes maximized;
                               the third restores the last normal placement, maximized. After
                               each run configparser reads the registry file the runs share.
"""

import configparser
import os
import subprocess
import sys
import tempfile

SUBKEY = "Software\\Quorvan\\StoredForm"


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def run(driver, env, *args):
    out = subprocess.run([driver, *args], check=True, capture_output=True, text=True, env=env)
    return out.stdout.strip()


def stored(config):
    files = [os.path.join(d, f) for d, _, fs in os.walk(config) for f in fs
             if f == "HKEY_CURRENT_USER.ini"]
    if len(files) != 1:
        fail("registry files found: %r" % files)
    p = configparser.RawConfigParser(strict=False, interpolation=None)
    p.optionxform = str
    with open(files[0], encoding="cp1251") as f:
        p.read_file(f)
    return dict(p[SUBKEY])


def main():
    driver = sys.argv[1]
    with tempfile.TemporaryDirectory() as config:
        env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="offscreen")
        # (what the run does before it closes, what it shows, what the key holds after it)
        steps = [
            (("40", "30", "500", "400"), "100 80 300 200 Normal",
             {"State": "Normal", "Left": "40", "Top": "30", "Width": "500", "Height": "400"}),
            (("maximized",), "40 30 500 400 Normal",
             {"State": "Maximized", "Left": "40", "Top": "30", "Width": "500", "Height": "400"}),
            ((), "40 30 500 400 Maximized", None),
        ]
        for number, (change, shown, values) in enumerate(steps, 1):
            got = run(driver, env, *change)
            if got != shown:
                fail("run %d showed %r, expected %r" % (number, got, shown))
            if values is not None and stored(config) != values:
                fail("after run %d the key holds %r, expected %r" % (number, stored(config),
                                                                      values))
    print("formstate: 3 runs, placement kept and read by configparser")


if __name__ == "__main__":
    main()
