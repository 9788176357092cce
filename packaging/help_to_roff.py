#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes one radioprog-cli command's --help (on stdin) as a man page subsection, or fits
a whole page's source lines into 80 columns.

    radioprog-cli COMMAND --help | help_to_roff.py COMMAND
    help_to_roff.py --fit PAGE.1

The usage and the paragraphs are filled by the formatter, the options become tagged
paragraphs, and indented lines (examples) stay as they are: so the page fits 80 columns
where the text with the page's indentation would not. The exit status lines are left out:
the page's one EXIT STATUS section covers them.

--fit breaks each text line of the page wider than 80 columns between words, where the
formatter fills the text anyway (not between .nf and .fi): the page shows the same.
"""
import re
import sys
import textwrap

WIDTH = 80


def escape(text):
    return text.replace("\\", "\\e").replace("-", "\\-").replace("\u2192", "\\(->")


def filled(text):
    """Lines of escaped text for fill mode: broken between words, none starting a request."""
    lines = textwrap.wrap(escape(text), WIDTH, break_long_words=False, break_on_hyphens=False)
    return [re.sub(r"^([.'])", r"\\&\1", line) for line in lines]


def fit(path):
    with open(path, encoding="utf-8") as page:
        lines = page.read().split("\n")
    out = []
    fill = True
    for line in lines:
        if re.match(r"^[.']\s*nf\b", line):
            fill = False
        elif re.match(r"^[.']\s*fi\b", line):
            fill = True
        while fill and len(line) > WIDTH and not line.startswith((".", "'")):
            # The last unescaped space within the width; a line without one stays whole.
            cut = max((m.start() for m in re.finditer(r"(?<!\\) ", line[: WIDTH + 1])), default=-1)
            if cut <= 0:
                break
            out.append(line[:cut])
            line = line[cut + 1 :]
            if line.startswith((".", "'")):
                line = "\\&" + line
        out.append(line)
    with open(path, "w", encoding="utf-8") as page:
        page.write("\n".join(out))


def main():
    if sys.argv[1] == "--fit":
        fit(sys.argv[2])
        return
    command = sys.argv[1]
    lines = sys.stdin.read().split("\n")
    # "Usage: radioprog-cli COMMAND ARGS" and its indented continuation lines.
    usage = lines[0].split(None, 3)
    i = 1
    while i < len(lines) and lines[i].startswith(" "):
        i += 1
    synopsis = " ".join(line.strip() for line in [usage[3] if len(usage) > 3 else ""] + lines[1:i])
    out = [".SS " + command, "\\fB%s %s\\fR" % (escape(usage[1]), escape(usage[2]))] + filled(synopsis)
    paragraph = []  # the text lines being gathered

    def flush():
        if paragraph:
            out.extend(filled(" ".join(paragraph)))
            paragraph.clear()

    options = False
    for line in lines[i:]:
        if line == "Exit status:":
            break
        if not line.strip():
            flush()
            if out[-1] != ".PP":
                out.append(".PP")
        elif line == "Options:":
            options = True
            out.append("Options:")
        elif options and re.match(r"^ {2,6}-", line):
            flush()
            term, _, description = line.strip().partition("  ")
            out += [".TP", "\\fB%s\\fR" % escape(term)]
            paragraph.append(description.strip())
        elif line.startswith(" ") and not options:
            flush()
            out += [".nf", escape(line), ".fi"]
        else:
            paragraph.append(line.strip())
    flush()
    while out[-1] == ".PP":
        out.pop()
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
