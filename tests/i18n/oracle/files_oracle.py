#!/usr/bin/python3
"""Cross-checks of external translation files with Python's configparser.

  files_oracle.py written DRIVER  the connect dialog's tables saved by the driver read in
                                  configparser with the sections, keys and values expected.
  files_oracle.py project DRIVER  a project file put together here from the dialog's localiser
                                  (re-encoded by the independent description coder binform.py)
                                  equals the one our writer makes, byte for byte, and loads the
                                  dialog's tables.
  files_oracle.py read DRIVER     files configparser writes (random texts of three languages,
                                  keys of the dialog's form by class and by name, of another
                                  form, collection keys, line breaks as bytes 25 and 26) load in
                                  the driver as the file layout says.
"""

import configparser
import os
import random
import subprocess
import sys
import tempfile

SEED = 20261210
NAMES_SECTION = "Language names - for internal use only!"
SECTIONS = ["Captions", "Hints", "DisplayLabels", "Fonts", "Multilines", "Dialogs", "Strings",
            "Other", "Locales", "Collections", "CharSets"]


def parser():
    p = configparser.RawConfigParser(strict=False, delimiters=("=",), interpolation=None)
    p.optionxform = str
    return p


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def expect(got, want, what):
    if got != want:
        fail("%s: got %r, want %r" % (what, got, want))


def written(driver):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "dialog.ini")
        subprocess.run([driver, "write", path], check=True)
        p = parser()
        with open(path, encoding="cp1251", newline="") as f:
            p.read_file(f)
    for section in ["OPTIONS", NAMES_SECTION, "Captions", "Hints", "Fonts", "Dialogs",
                    "Strings", "CharSets", "Extended"]:
        if not p.has_section(section):
            fail("no section " + section)
    expect(p["OPTIONS"]["DELIMITER"], "~!@#", "delimiter")
    expect(p["OPTIONS"]["IsUTF8File"], "0", "UTF-8 flag")
    expect(dict(p[NAMES_SECTION]), {"Language_1": "Russian", "Language_2": "English"}, "names")
    captions = p["Captions"]
    expect(len(captions), 9, "captions")
    expect(captions["TdlgConnect.CancelBtn"], "Cancel~!@#Cancel~!@#", "cancel button")
    expect(captions["TdlgConnect.TdlgConnect"],
           "Подключение к Quorvan2~!@#Connect to Quorvan2~!@#", "the dialog's caption")
    expect(len(p["Dialogs"]), 15, "dialog words")
    expect(p["Strings"]["TdlgConnect.Greeting"], "Привет\x19\x1aмир~!@#Hello~!@#", "greeting")
    expect(p["Extended"]["TdlgConnect.Label1.Hint"], "Подсказка~!@#Hint~!@#", "extended")
    expect(p["Extended"]["TdlgConnect.Label1.Hint_TypeKind"], "tkLString", "type kind")
    # Every key is the form's class and an entry key; every value holds both languages.
    for section in SECTIONS:
        if not p.has_section(section):
            continue
        for key, value in p[section].items():
            if not key.startswith("TdlgConnect."):
                fail("key %s in %s" % (key, section))
            parts = value.split("~!@#")
            if len(parts) != 3 or parts[2] != "":
                fail("value of %s in %s: %r" % (key, section, value))
    print("written: %d sections checked" % len(p.sections()))


def random_text(rng, delimiter):
    letters = "abcXYZ019 .,-:!?" + "абвгдежзЁёЯюЩ"
    text = "".join(rng.choice(letters) for _ in range(rng.randint(1, 12))).strip(" ")
    if rng.random() < 0.15:
        text += "\x19\x1a" + "ещё"
    return (text or "x").replace(delimiter, "")


def make_file(rng):
    delimiter = rng.choice(["~!@#", "|", "<>"])
    names = ["Русский", "English", "Deutsch"]
    p = parser()
    p["OPTIONS"] = {"DELIMITER": delimiter, "Language_Fixed3": "1"}
    p[NAMES_SECTION] = {"Language_%d" % (i + 1): n for i, n in enumerate(names)}
    used = set()
    for kind, section in enumerate(SECTIONS):
        entries = {}
        for n in range(rng.randint(0, 25)):
            component = rng.choice(["Label", "Button", "Edit", "rb"]) + str(n)
            if section == "Collections":
                component += ".Columns-%d+.Caption" % rng.randint(0, 9)
            elif section in ("Multilines", "Other"):
                component += ".Items"
            prefix = rng.choice(["TdlgConnect.", "tdlgconnect.", "dlgConnect.", "DLGCONNECT.",
                                 "TOtherForm.", "dlgConnectX."])
            key = prefix + component
            if (section, key.split(".", 1)[1].lower()) in used:
                continue
            used.add((section, key.split(".", 1)[1].lower()))
            if rng.random() < 0.2:
                value = random_text(rng, delimiter)  # one text for the first two languages
            else:
                value = "".join(random_text(rng, delimiter) + delimiter for _ in names)
            entries[key] = value
        if kind == 0:
            entries["TdlgConnect.TdlgConnect"] = "Соединение" + delimiter + "Connect" + delimiter
        if entries:
            p[section] = entries
    return p, delimiter, names


def expected_entries(p, delimiter):
    lists = {kind: [] for kind in range(len(SECTIONS))}
    for kind, section in enumerate(SECTIONS):
        if not p.has_section(section):
            continue
        for key, value in p[section].items():
            line = key + "\x01"
            if section == "Collections":
                line = line.replace("-", "[", 1).replace("+", "]", 1)
            for prefix in ("dlgconnect.", "tdlgconnect."):
                if line.lower().startswith(prefix):
                    line = line[len(prefix):]
                    break
            else:
                continue
            if delimiter not in value:
                line += value + "\x01"
            line += value.replace(delimiter, "\x01")
            line = line.replace("\x19", "\r").replace("\x1a", "\n")
            if not line.endswith("\x01"):
                line += "\x01"
            lists[kind].append(line.encode("cp1251"))
    return lists


def read(driver):
    rng = random.Random(SEED)
    for round_ in range(20):
        p, delimiter, names = make_file(rng)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "python.ini")
            with open(path, "w", encoding="cp1251", newline="\r\n") as f:
                p.write(f, space_around_delimiters=False)
            out = subprocess.run([driver, "read", path], check=True, capture_output=True,
                                 text=True).stdout.splitlines()
        got = {kind: [] for kind in range(len(SECTIONS))}
        for line in out:
            head, _, rest = line.partition(" ")
            if head == "names":
                expect([bytes.fromhex(n).decode("utf-8") for n in rest.split()], names, "names")
            elif head == "utf8":
                expect(rest, "0", "UTF-8 flag")
            else:
                got[int(head)].append(bytes.fromhex(rest))
        want = expected_entries(p, delimiter)
        for kind in got:
            expect(sorted(got[kind]), sorted(want[kind]), "%s of round %d" % (SECTIONS[kind], round_))
        # The form's own entry comes first.
        expect(got[0][0], "TdlgConnect\x01Соединение\x01Connect\x01".encode("cp1251"),
               "first caption of round %d" % round_)
    print("read: 20 files loaded as configparser wrote them")


BINFORM = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform",
                       "classes", "data", "binform.py")
LPB_HEADER = b"LPB file: TLocLang binary translation data\x00"


def project_file(body, forms, fixed):
    """The project file layout: header, entry count, fixed languages, index, localisers."""
    fixed_bytes = "".join(name + "\r\n" for name in fixed).encode("cp1251")
    index_size = sum(2 + len(name) + 4 for name in forms)
    offset = len(LPB_HEADER) + 4 + len(fixed_bytes) + index_size
    index, bodies = b"", b""
    for name in forms:
        index += len(name).to_bytes(2, "little") + name.encode() + offset.to_bytes(4, "little")
        offset += len(body)
        bodies += body
    return (LPB_HEADER + len(forms).to_bytes(2, "little") + len(fixed_bytes).to_bytes(2, "little")
            + fixed_bytes + index + bodies)


def project(driver):
    with tempfile.TemporaryDirectory() as folder:
        body_path = os.path.join(folder, "body.bin")
        coded_path = os.path.join(folder, "coded.bin")
        ours_path = os.path.join(folder, "ours.lpb")
        python_path = os.path.join(folder, "python.lpb")
        subprocess.run([driver, "lpb-body", body_path], check=True)
        subprocess.run([sys.executable, BINFORM, body_path, coded_path], check=True,
                       capture_output=True)
        body = open(body_path, "rb").read()
        expect(open(coded_path, "rb").read(), body, "the localiser re-encoded")
        built = project_file(body, ["TOtherForm", "TdlgConnect"], ["English", "Russian"])
        with open(python_path, "wb") as f:
            f.write(built)
        subprocess.run([driver, "lpb-write", ours_path], check=True)
        expect(open(ours_path, "rb").read(), open(python_path, "rb").read(), "project file bytes")
        out = subprocess.run([driver, "lpb-read", python_path], check=True, capture_output=True,
                             text=True).stdout.splitlines()
    counts = [0] * len(SECTIONS)
    first_caption = None
    for line in out:
        head, _, rest = line.partition(" ")
        if head == "names":
            expect([bytes.fromhex(n).decode() for n in rest.split()], ["Russian", "English"],
                   "names")
        elif head == "fixed":
            expect([bytes.fromhex(n).decode() for n in rest.split()], ["English", "Russian"],
                   "fixed languages")
        elif head != "utf8":
            counts[int(head)] += 1
            if head == "0" and first_caption is None:
                first_caption = bytes.fromhex(rest)
    expect(counts, [9, 2, 0, 1, 0, 15, 0, 0, 0, 0, 1], "list sizes")
    expect(first_caption.decode("cp1251"), "TdlgConnect\x01Подключение к Quorvan2\x01"
           "Connect to Quorvan2\x01", "the dialog's caption")
    print("project: %d bytes, identical to ours, loaded" % len(built))


def main():
    part, driver = sys.argv[1], sys.argv[2]
    {"written": written, "read": read, "project": project}[part](driver)


if __name__ == "__main__":
    main()
