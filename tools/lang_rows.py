#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The language rows as the program declares them, and the built-in English made from them.

Every extra row (the rows after the base rows) is declared once: its line in data/lang.csv
and its name in the ExtraRow enumeration of src/model/extra_rows.h, both in row order. This
module reads both; check_lang.py takes the number of rows from it, and the build runs it to
write the built-in English texts:

    python3 tools/lang_rows.py --built-in-english OUTPUT.h [--csv data/lang.csv] [--rows src/model/extra_rows.h]

It fails, naming the first row concerned, when the file and the names disagree.
"""
import argparse
import pathlib
import re
import sys

REPO = pathlib.Path(__file__).resolve().parent.parent
CSV = REPO / "data" / "lang.csv"
ROW_NAMES = REPO / "src" / "model" / "extra_rows.h"
ENGLISH = "English"


class RowsError(Exception):
    pass


def extra_row_names(header_text):
    """(first extra row number, the extra rows' names in order), read from extra_rows.h."""
    first = re.search(r"inline constexpr int kFirstExtra = (\d+);", header_text)
    if not first:
        raise RowsError("no 'inline constexpr int kFirstExtra = <number>;'")
    body = re.search(r"enum ExtraRow : int \{(.*?)\};", header_text, re.S)
    if not body:
        raise RowsError("no 'enum ExtraRow : int { ... };'")
    code = re.sub(r"//[^\n]*", "", body.group(1))
    items = [item.strip() for item in code.split(",") if item.strip()]
    names = []
    for position, item in enumerate(items):
        match = re.fullmatch(r"(k\w+)(\s*=\s*(\w+))?", item)
        if not match:
            raise RowsError(f"ExtraRow: cannot read {item!r}")
        # Only the first name is given a number; the others follow the order.
        if (match.group(3) is not None) != (position == 0) or (position == 0 and match.group(3) != "kFirstExtra"):
            raise RowsError(f"ExtraRow: {item!r}: only the first name is set, to kFirstExtra")
        names.append(match.group(1))
    if not names or names[-1] != "kEnd":
        raise RowsError("ExtraRow: the last name must be kEnd")
    return int(first.group(1)), names[:-1]


def row_count(header_path=ROW_NAMES):
    """The number of rows the program reads (lang_row::kEnd)."""
    first, names = extra_row_names(pathlib.Path(header_path).read_text(encoding="utf-8"))
    return first + len(names)


def english_column(csv_text):
    """The English text of every row, row 0 first."""
    lines = csv_text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines:
        raise RowsError("the file is empty")
    names = lines[0].split(",")
    if ENGLISH not in names:
        raise RowsError(f"the names line has no {ENGLISH!r} column")
    column = names.index(ENGLISH)
    rows = []
    for line in lines[1:]:
        fields = line.split(",")
        rows.append(fields[column] if column < len(fields) else "")
    return rows


def c_string(text):
    """A C++ string literal holding text's UTF-8 bytes."""
    out = []
    for byte in text.encode("utf-8"):
        if byte == 0x09:
            out.append("\\t")
        elif byte in (0x22, 0x5C):
            out.append("\\" + chr(byte))
        elif 0x20 <= byte < 0x7F:
            out.append(chr(byte))
        else:
            out.append(f"\\{byte:03o}")  # octal: never swallows a following character
    return '"' + "".join(out) + '"'


def built_in_english(csv_text, header_text):
    """The C++ header with the English texts: the extra rows', then the base rows'."""
    first, names = extra_row_names(header_text)
    english = english_column(csv_text)
    if len(english) < first:
        raise RowsError(f"the file has {len(english)} rows, fewer than the {first} base rows")
    extra = english[first:]
    if len(extra) != len(names):
        if len(extra) > len(names):
            raise RowsError(f"row {first + len(names)} ({extra[len(names)]!r}) has no name in ExtraRow "
                            f"(the file has {len(extra)} extra rows, ExtraRow names {len(names)})")
        raise RowsError(f"{names[len(extra)]} (row {first + len(extra)}) has no line in the file "
                        f"(the file has {len(extra)} extra rows, ExtraRow names {len(names)})")
    for offset, (name, text) in enumerate(zip(names, extra)):
        if not text:
            raise RowsError(f"row {first + offset} ({name}) has no English text")
    lines = [
        "// SPDX-License-Identifier: GPL-3.0-or-later",
        "// Written by tools/lang_rows.py from the English column of data/lang.csv; not edited by hand.",
        "#pragma once",
        "#include <array>",
        "",
        "namespace radioprog::lang_row {",
        "",
        "// The extra rows' English texts, from row kFirstExtra on, in row order.",
        f"inline constexpr std::array<const char*, {len(names)}> kBuiltInEnglish = {{",
    ]
    lines += [f"    {c_string(text)},  // {name}" for name, text in zip(names, extra)]
    lines += ["};", "",
              "// The base rows' English texts, rows 0 to kFirstExtra - 1: for a language file that ends early.",
              f"inline constexpr std::array<const char*, {first}> kBuiltInBaseEnglish = {{"]
    lines += [f"    {c_string(text)}," for text in english[:first]]
    lines += ["};", "", "}  // namespace radioprog::lang_row", ""]
    return "\n".join(lines)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--built-in-english", metavar="OUTPUT", required=True)
    parser.add_argument("--csv", default=str(CSV))
    parser.add_argument("--rows", default=str(ROW_NAMES))
    args = parser.parse_args(argv[1:])
    try:
        text = built_in_english(pathlib.Path(args.csv).read_text(encoding="utf-8"),
                                pathlib.Path(args.rows).read_text(encoding="utf-8"))
    except (RowsError, UnicodeDecodeError) as error:
        sys.exit(f"{args.csv} / {args.rows}: {error}")
    output = pathlib.Path(args.built_in_english)
    # Rewritten only when it changes, so an unrelated edit does not rebuild the core.
    if not output.exists() or output.read_text(encoding="utf-8") != text:
        output.parent.mkdir(parents=True, exist_ok=True)
        output.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
