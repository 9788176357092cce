#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks data/lang.csv against the rules the program relies on.

Run it after editing the language file; ctest runs it too (test lang_csv_checks).

    python3 tools/check_lang.py [path/to/lang.csv] [--tips]

Errors make the exit status 1; warnings are printed but do not fail. With --tips the
toolbar tooltips and the message-dialog texts of every language are listed.

Lengths are counted as a double-byte code page counts them: 1 per ASCII character,
2 per other character.
"""
import pathlib
import re
import sys

import lang_rows

REPO = pathlib.Path(__file__).resolve().parent.parent


# Rows 0 ... 193 are the original language file's; the rows after them were added later
# (channel editing, several radios, the interface texts, transfers, ...). The program has a
# built-in English text for each of those, so older files without them still work.
try:
    ROWS = lang_rows.row_count()  # the row names of src/model/extra_rows.h
except lang_rows.RowsError as error:
    sys.exit(f"src/model/extra_rows.h: {error}")
EDIT_ROWS = list(range(194, 203))   # undo ... move down
FILE_ROWS = [203, 204, 234, 253, 275, 279]  # import CSV..., export CSV..., compare with..., print preview..., save as..., recent files
PROGRAM_ROWS = [233, 235, 282]      # write to several radios..., verify transfers, cancel transfer
EDITOR_ROWS = [266, 267, 268, 269]  # Edit menu: the editors
FIELD_LIMIT = 60
LINE_LIMIT = 279
NAME_LINE_LIMIT = 256
NAME_LIMIT = 32
TOOLTIP_LIMIT = 79

# Rows that nothing in the program shows, prints or compares.
UNUSED = {7, 8, 9, 28, 34, 35, 36, 37, 38, 39, 40, 41, 42, 50, 52, 53, 59, 66, 67, 69, 70,
          120, 121, 132, 133, 138, 139, 153}
# Used rows that may stay empty: the unit after "1000" ... "5000" of the hidden FMR list.
MAY_BE_EMPTY = {154}

# Menu captions. "&" marks the accelerator in these rows ...
WITH_ACCELERATOR = set(range(91, 113)) | set(EDIT_ROWS) | set(FILE_ROWS) | set(PROGRAM_ROWS) | set(EDITOR_ROWS)
# ... and never in these (row 1 is also joined into the band-refusal message; the others
# are window titles).
WITHOUT_ACCELERATOR = {1, 27, 142}
# Rows that show a key name after a tab; True: "..." comes before the tab.
KEY_NAMES = {92: ("Ctrl+N", False), 94: ("Ctrl+S", False),
             95: ("Ctrl+O", True), 96: ("Ctrl+P", True),
             194: ("Ctrl+Z", False), 195: ("Ctrl+Y", False), 196: ("Ctrl+X", False),
             197: ("Ctrl+C", False), 198: ("Ctrl+V", False), 199: ("Del", False),
             200: ("Ins", False), 201: ("Ctrl+Up", False), 202: ("Ctrl+Down", False),
             275: ("Ctrl+Shift+S", True), 282: ("Esc", False)}
# Accelerators must be unique within one menu (the edit menu also holds "DTMF").
MENUS = {
    "menu bar": [91, 98, 101, 102, 103, 106, 112, 110],
    "file": [92, 93, 94, 95, 96, 97] + FILE_ROWS,
    "edit": EDITOR_ROWS + EDIT_ROWS,
    "programming": [99, 100] + PROGRAM_ROWS,
    "view": [104, 105],
    "window": [107, 108, 109],
    "help": [111],
}
TOOLTIP_ROWS = [92, 94, 95, 96, 99, 100, 102, 111]

# The flag-bit lists: a text equal to any row of the zero set stores 0.
ZERO_SET = [3, 4, 10, 12]
ONE_SET = [2, 5, 11, 13]
# Lists that select "the first entry that begins with the text", case ignored.
PREFIX_LISTS = {"power": [2, 3], "bandwidth": [10, 11], "bit 14": [4, 5],
                "busy lockout": [12, 13]}
# Lists whose entries are stored by their text (must differ) or shown side by side.
DISTINCT_LISTS = {
    "PTT-ID": [6, 14, 15, 16], "batch bits 5-6": [14, 15, 16],
    "voice prompt": [47, 48, 49], "backlight": [47, 157, 158, 159], "end tone": [47, 168],
    "scan mode": [62, 13, 63], "alarm mode": [161, 162, 160], "dual-watch TX": [6, 164, 165],
    "display mode": [82, 84, 83], "power-on display": [51, 181], "offset direction": [45, 78, 79],
    "DTMF side tone": [45, 130, 131], "on/off": [6, 125], "work mode": [189, 151],
}

# Shown in the message dialog: 19 pt up to 12 bytes, 16 pt up to 25, a split from 24 on.
MESSAGE_SPLIT = 24
MESSAGE_LONG = 25

# Printed settings page: the label column is as wide as row 44 (block 1) or row 81
# (blocks 2 and 3); the value columns are as wide as row 68 (block 1) or row 84 (block 2).
BLOCK1_LABELS = [43, 44, 60, 61, 64, 65, 71, 134, 135, 136, 137, 140, 152, 58]
BLOCK23_LABELS = [74, 22, 75, 76, 24, 77, 80, 81, 86, 87, 88, 89, 56, 57, 114]
BLOCK1_VALUES = [45, 62, 13, 63, 47, 157, 158, 159, 168, 6, 125, 160, 161, 162, 164, 165]
BLOCK2_VALUES = [2, 3, 10, 11, 12, 45, 78, 79, 82, 83, 84]
PRINTED_HEADERS = [17, 155, 18, 19, 20, 21, 22, 23, 24, 25, 26, 12]
PRINTED_HEADER_LIMIT = 15


def cp_len(text):
    """Length as the double-byte code page counts it."""
    return sum(1 if ord(ch) < 0x80 else 2 for ch in text)


def tooltip(text):
    """The toolbar tip made from a menu caption: the text before its first "("."""
    return text.split("(", 1)[0]


def tone_texts():
    """The tone texts of every tone list, read from the tone codec's source."""
    source = (REPO / "src" / "model" / "tone_codec.cpp").read_text(encoding="utf-8")
    def block(function):
        match = re.search(function + r"\(\)\s*\{(.*?)return", source, re.S)
        return re.findall(r'"([^"]*)"', match.group(1)) if match else []
    ctcss, dcs = block("CtcssTexts"), block("DcsNumberTexts")
    if len(ctcss) != 50 or len(dcs) != 104:
        return None
    return ctcss + ["D" + d + "N" for d in dcs] + ["D" + d + "I" for d in dcs]


class Report:
    def __init__(self):
        self.errors = 0
        self.warnings = 0

    def error(self, message):
        self.errors += 1
        print("error:", message)

    def warn(self, message):
        self.warnings += 1
        print("warning:", message)


def check_file(raw, report):
    """Structure of the file; returns (names, rows) with rows[r][c] the text."""
    if b"\r" in raw:
        report.error("the file contains CR bytes; use LF line ends")
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        report.error(f"not UTF-8: {e}")
        return [], []
    if text.startswith("\ufeff"):
        report.error("the file starts with a byte-order mark; it would become part of the first name")
    lines = text.replace("\r", "").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) != ROWS + 1:
        report.error(f"{len(lines)} lines; expected the names line and {ROWS} rows")
    names = lines[0].split(",") if lines else []
    if not names or any(not n for n in names):
        report.error("the names line has an empty name")
    if len(names) > NAME_LIMIT or cp_len(lines[0]) >= NAME_LINE_LIMIT:
        report.error("the names line is longer than the program reads")
    rows = []
    for r, line in enumerate(lines[1:ROWS + 1]):
        fields = line.split(",")
        if len(fields) != len(names):
            report.error(f"row {r}: {len(fields)} fields, expected {len(names)} (a comma inside a text?)")
        fields += [""] * (len(names) - len(fields))
        if cp_len(line) > LINE_LIMIT:
            report.error(f"row {r}: the line is {cp_len(line)} code-page bytes (limit {LINE_LIMIT})")
        for c, field in enumerate(fields):
            if cp_len(field) > FIELD_LIMIT:
                report.error(f"row {r} [{names[c] if c < len(names) else c}]: {cp_len(field)} bytes "
                             f"(limit {FIELD_LIMIT}): {field!r}")
            if any(ord(ch) < 0x20 and ch != "\t" for ch in field):
                report.error(f"row {r}: control character in {field!r}")
            if "\t" in field and r not in KEY_NAMES:
                report.error(f"row {r}: tab in a row that shows no key name: {field!r}")
            if "\\t" in field:
                report.error(f"row {r}: the two characters \\t instead of a tab: {field!r}")
            if field != field.strip(" ") and r not in (31, 32, 122, 123, 154, 283):
                report.warn(f"row {r}: leading or trailing space in {field!r}")
        rows.append(fields)
    return names, rows


def check_language(name, t, tones, report):
    """The rules for one column; t(r) is the text of row r."""
    where = f"[{name}]"

    for r in range(ROWS):
        if r in UNUSED and t(r):
            report.error(f"{where} row {r} is unused and should be empty: {t(r)!r}")
        if r not in UNUSED and r not in MAY_BE_EMPTY and not t(r):
            report.error(f"{where} row {r} is used but empty")

    # Menus.
    for r in WITH_ACCELERATOR:
        caption = t(r).split("\t", 1)[0]
        marks = re.findall(r"&(.)", caption)
        if len(marks) != 1 or marks[0] in "& ":
            report.error(f"{where} row {r}: needs exactly one & accelerator: {t(r)!r}")
    for r in WITHOUT_ACCELERATOR:
        if "&" in t(r):
            report.error(f"{where} row {r}: no & here (the template has none): {t(r)!r}")
    for r, (key, dots) in KEY_NAMES.items():
        if not t(r).endswith("\t" + key) or t(r).count("\t") != 1:
            report.error(f"{where} row {r}: must end with a tab and {key}: {t(r)!r}")
        elif dots != t(r).split("\t")[0].endswith("..."):
            report.error(f"{where} row {r}: '...' before the tab {'missing' if dots else 'unexpected'}")
    for menu, items in MENUS.items():
        seen = {}
        for r in items:
            match = re.search(r"&(.)", t(r))
            if match:
                letter = match.group(1).lower()
                if letter in seen:
                    report.error(f"{where} {menu} menu: rows {seen[letter]} and {r} share accelerator {letter!r}")
                seen[letter] = r
    for r in TOOLTIP_ROWS:
        tip = tooltip(t(r))
        if not tip:
            report.error(f"{where} row {r}: the toolbar tip is empty (text starts with '(')")
        if len(tip) > TOOLTIP_LIMIT:
            report.error(f"{where} row {r}: the toolbar tip is longer than {TOOLTIP_LIMIT} characters")
        if "(" in t(r).split("\t")[0] and not re.search(r"\(&.\)", t(r)):
            report.warn(f"{where} row {r}: the tip is cut at a '(' that is not an accelerator: {tip!r}")

    # Flag-bit lists: equality with the zero set stores 0.
    for one in ONE_SET:
        for zero in ZERO_SET:
            if t(one) == t(zero):
                report.error(f"{where} row {one} equals row {zero} ({t(one)!r}): it would store 0")
    # Selection by beginning, case ignored: no entry may be found in place of a later one.
    lists = dict(PREFIX_LISTS)
    for label, items in lists.items():
        for j, later in enumerate(items):
            for earlier in items[:j]:
                if t(earlier).lower().startswith(t(later).lower()):
                    report.error(f"{where} {label} list: row {earlier} {t(earlier)!r} begins with "
                                 f"row {later} {t(later)!r}")
    for label, items in DISTINCT_LISTS.items():
        seen = {}
        for r in items:
            key = t(r).lower()
            if key in seen:
                report.error(f"{where} {label} list: rows {seen[key]} and {r} are the same text {t(r)!r}")
            seen[key] = r

    # The tone-off text.
    off = t(12)
    if not off:
        report.error(f"{where} row 12 (tone off) is empty")
    elif tones is None:
        report.error("could not read the tone texts from src/model/tone_codec.cpp")
    else:
        for tone in tones:
            a, b = off.lower(), tone.lower()
            if a.startswith(b) or b.startswith(a):
                report.error(f"{where} row 12 {off!r} and the tone text {tone!r}: one begins with the other")
                break

    # Joined texts need their space inside a row.
    def glued(left, right):
        return bool(left) and bool(right) and left[-1].isascii() and left[-1].isalnum() \
            and right[0].isascii() and right[0].isalnum()
    for a in (122, 123):
        for b in (31, 32):
            if glued(t(a), t(b)):
                report.error(f"{where} rows {a}+{b} run together: {t(a) + t(b)!r}")
    if t(154) and glued("5000", t(154)):
        report.error(f"{where} row 154 needs a leading space: {'5000' + t(154)!r}")

    # Message dialog texts.
    for label, message in messages(t):
        n = cp_len(message)
        if n > MESSAGE_LONG:
            report.error(f"{where} {label}: {n} bytes, drawn small and split: {message!r}")
        elif n >= MESSAGE_SPLIT:
            report.warn(f"{where} {label}: {n} bytes, may be split in two lines: {message!r}")

    # Printout layout.
    for r in PRINTED_HEADERS:
        if cp_len(t(r)) > PRINTED_HEADER_LIMIT:
            report.warn(f"{where} row {r}: printed header longer than {PRINTED_HEADER_LIMIT} bytes is cut")
    widest = max(BLOCK1_LABELS, key=lambda r: cp_len(t(r)))
    if cp_len(t(widest)) > cp_len(t(44)) or cp_len(t(141)) + 1 > cp_len(t(44)):
        report.warn(f"{where} printed block 1: row 44 {t(44)!r} is narrower than another label")
    widest = max(BLOCK23_LABELS, key=lambda r: cp_len(t(r)))
    if cp_len(t(widest)) > cp_len(t(81)):
        report.warn(f"{where} printed blocks 2/3: row 81 {t(81)!r} is narrower than row {widest} {t(widest)!r}")
    widest_value = max([cp_len(t(r)) for r in BLOCK1_VALUES] + [cp_len("5000" + t(154)), 6])
    if cp_len(t(68)) < widest_value:
        report.warn(f"{where} printed block 1: row 68 reserves less room than the widest value")
    widest_value = max([cp_len(t(r)) for r in BLOCK2_VALUES] + [len("145.12500")])
    if cp_len(t(84)) < widest_value:
        report.warn(f"{where} printed block 2: row 84 {t(84)!r} reserves less room than the widest value")


def messages(t):
    """Every text the message dialog shows, with a label."""
    yield "row 30 (File New)", t(30)
    yield "row 33 (no radio)", t(33)
    yield "row 115 (no channel)", t(115)
    for a in (122, 123):
        for b in (31, 32):
            yield f"rows {a}+{b}", t(a) + t(b)
    yield "band refusal, channel 128", t(1) + " 128 " + t(113)
    yield "band refusal, VFO A", t(74) + " A " + t(113)


def main(argv):
    show_tips = "--tips" in argv
    paths = [a for a in argv[1:] if a != "--tips"]
    path = pathlib.Path(paths[0]) if paths else REPO / "data" / "lang.csv"
    report = Report()
    names, rows = check_file(path.read_bytes(), report)
    tones = tone_texts()
    for c, name in enumerate(names):
        def t(r, c=c):
            return rows[r][c] if r < len(rows) else ""
        check_language(name, t, tones, report)
        if show_tips:
            print(f"--- {name}")
            for r in TOOLTIP_ROWS:
                print(f"  tip {r}: {tooltip(t(r))!r}")
            for label, message in messages(t):
                print(f"  message {label}: {message!r} ({cp_len(message)} bytes)")
    print(f"{path}: {len(names)} languages, {len(rows)} rows, "
          f"{report.errors} errors, {report.warnings} warnings")
    return 1 if report.errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
