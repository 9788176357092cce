#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks every #include "folder/file.h" under src/ against the allowed arrows between folders.

Usage: include_arrows.py ROOT [--table FILE] [--count]
  --count  prints the include arrows between folders found today (from -> to: includes)
           instead of checking them.
"""
import argparse
import collections
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".cpp"}


def read_table(path):
    """Returns {folder: set of folders it may include} from the table file."""
    table = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        folder, colon, targets = line.partition(":")
        if not colon:
            sys.exit(f"{path}:{number}: expected 'folder: folders it may include'")
        folder = folder.strip()
        if folder in table:
            sys.exit(f"{path}:{number}: {folder} has two lines")
        table[folder] = set(targets.split())
    return table


def included_folders(source, src):
    """Yields (line number, folder, included path) for each include of a file under src/."""
    text = source.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        included = match.group(1)
        folder = included.rpartition("/")[0]
        # Library headers and files generated into the build tree of an existing folder
        # count by their folder; a bare name is the including file's own folder.
        if folder and (src / folder).is_dir():
            yield number, folder, included


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root", type=pathlib.Path)
    parser.add_argument("--table", type=pathlib.Path)
    parser.add_argument("--count", action="store_true")
    arguments = parser.parse_args()
    src = arguments.root / "src"
    table_path = arguments.table or arguments.root / "tests/layout/include_arrows.txt"
    table = read_table(table_path)

    sources = sorted(p for p in src.rglob("*") if p.suffix in SOURCE_SUFFIXES and p.is_file())
    if not sources:
        sys.exit(f"no sources found under {src}")
    arrows = collections.Counter()
    faults = []
    for source in sources:
        folder = source.parent.relative_to(src).as_posix()
        if folder not in table and not arguments.count:
            faults.append(f"{source.relative_to(arguments.root)}: folder {folder} has no line in {table_path.name}")
            continue
        for number, target, included in included_folders(source, src):
            if target == folder:
                continue
            arrows[(folder, target)] += 1
            if not arguments.count and target not in table[folder]:
                faults.append(f"{source.relative_to(arguments.root)}:{number}: {folder} may not include {included}")

    if arguments.count:
        for (folder, target), count in sorted(arrows.items()):
            print(f"{folder} -> {target}: {count}")
        return 0
    for folder, targets in table.items():
        for target in sorted(targets - {t for f, t in arrows if f == folder}):
            print(f"note: {folder} -> {target} is allowed but unused")
    if faults:
        print("\n".join(faults))
        print(f"{len(faults)} include(s) outside {table_path}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
