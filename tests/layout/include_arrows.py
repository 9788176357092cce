#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks every include of a project header under src/ against the allowed arrows between
folders, and that every allowed arrow is in use.

An include names a project header when it is quoted ("a/b.h", "../link/wire.h", resolved
first against the including file's folder, then against src/) or in angle brackets (<a/b.h>,
resolved against src/) and lands in a folder under src/. Headers of libraries and the system
do not count.

Usage: include_arrows.py ROOT [--table FILE] [--count]
  --count  prints the include arrows between folders found today (from -> to: includes)
           instead of checking them.
"""
import argparse
import collections
import os
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*(?:"([^"]+)"|<([^>]+)>)')
SOURCE_SUFFIXES = {".h", ".cpp"}
OUTSIDE = None  # the target of an include that leaves src/


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


def target_folder(source, included, quoted, src):
    """The folder under src/ (posix, relative) that an include names, OUTSIDE when it leaves
    src/, or "" when it names no project header."""

    def folder_of(path):
        path = pathlib.Path(os.path.normpath(path))
        try:
            relative = path.parent.relative_to(src)
        except ValueError:
            return OUTSIDE
        # A file generated into the build tree counts by its folder, so an existing folder
        # is enough; the file itself need not be in src/.
        return relative.as_posix() if relative.parts and path.parent.is_dir() else ""

    if quoted:
        # The compiler looks beside the including file first; a path that starts with "."
        # means that folder whether or not the file is there.
        beside = source.parent / included
        if beside.is_file() or included.startswith("."):
            return folder_of(beside)
    return folder_of(src / included) or ""


def included_folders(source, src):
    """Yields (line number, target folder or OUTSIDE, include as written) for each include of
    a project header."""
    text = source.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        quoted = match.group(1) is not None
        included = match.group(1) if quoted else match.group(2)
        target = target_folder(source, included, quoted, src)
        if target != "":
            yield number, target, included


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root", type=pathlib.Path)
    parser.add_argument("--table", type=pathlib.Path)
    parser.add_argument("--count", action="store_true")
    arguments = parser.parse_args()
    src = (arguments.root / "src").resolve()
    table_path = arguments.table or arguments.root / "tests/layout/include_arrows.txt"
    table = read_table(table_path)

    sources = sorted(p for p in src.rglob("*") if p.suffix in SOURCE_SUFFIXES and p.is_file())
    if not sources:
        sys.exit(f"no sources found under {src}")
    arrows = collections.Counter()
    folders = set()
    faults = []
    for source in sources:
        folder = source.parent.relative_to(src).as_posix()
        name = f"src/{source.relative_to(src).as_posix()}"
        folders.add(folder)
        if folder not in table and not arguments.count:
            faults.append(f"{name}: folder {folder} has no line in {table_path.name}")
            continue
        for number, target, included in included_folders(source, src):
            if target is OUTSIDE:
                faults.append(f"{name}:{number}: {included} leaves src/")
                continue
            if target == folder:
                continue
            arrows[(folder, target)] += 1
            if not arguments.count and target not in table[folder]:
                faults.append(f"{name}:{number}: {folder} may not include {included}")

    if arguments.count:
        for (folder, target), count in sorted(arrows.items()):
            print(f"{folder} -> {target}: {count}")
        print(f"{len(arrows)} arrows, {sum(arrows.values())} includes")
        return 0
    # An allowed arrow nobody uses would let the next include through unnoticed: the table
    # says exactly what the code does.
    for folder, targets in table.items():
        if folder not in folders:
            faults.append(f"{table_path.name}: folder {folder} has a line but no sources")
            continue
        for target in sorted(targets - {t for f, t in arrows if f == folder}):
            faults.append(f"{table_path.name}: {folder} -> {target} is allowed but unused")
    if faults:
        print("\n".join(faults))
        print(f"{len(faults)} fault(s) against {table_path}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
