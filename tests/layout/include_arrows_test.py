#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The include-arrows check on a small tree: an include against the table, in any of its
forms (quoted, relative, angle brackets), a folder the table does not know and an allowed
arrow no file uses all fail, naming the file or the arrow; allowed and foreign includes
pass."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).resolve().parent / "include_arrows.py"
TABLE = "# comment\nmodel:\nlink: model\nui: model\nviews: model ui link  # trailing comment\n"


def run_check(files, table=TABLE):
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for name, text in {"table.txt": table, **files}.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text, encoding="utf-8")
        return subprocess.run([sys.executable, str(CHECK), str(root), "--table", str(root / "table.txt")],
                              capture_output=True, text=True)


class IncludeArrows(unittest.TestCase):
    BASE = {
        "src/model/a.h": '#include <vector>\n#include "b.h"\n#include <coroutine>\n',
        "src/link/wire.h": '#include "../model/a.h"\n',
        "src/ui/w.h": '#include <model/a.h>\n#include "gtest/gtest.h"\n',
        "src/views/v.cpp": '#include "ui/w.h"\n  #  include "model/a.h"\n#include "../link/wire.h"\n',
    }

    def test_cases(self):
        cases = [
            ("allowed", {}, TABLE, 0, []),
            ("upward arrow", {"src/model/c.cpp": '#include "ui/w.h"\n'}, TABLE,
             1, ["src/model/c.cpp:1: model may not include ui/w.h"]),
            ("indented include", {"src/ui/x.cpp": '\n # include "views/v.h"\n'}, TABLE,
             1, ["src/ui/x.cpp:2: ui may not include views/v.h"]),
            ("relative include", {"src/model/r.cpp": '#include "../link/wire.h"\n'}, TABLE,
             1, ["src/model/r.cpp:1: model may not include ../link/wire.h"]),
            ("angle-bracket project include", {"src/model/s.cpp": "#include <ui/w.h>\n"}, TABLE,
             1, ["src/model/s.cpp:1: model may not include ui/w.h"]),
            ("include leaving src", {"src/model/t.cpp": '#include "../../tests/x.h"\n'}, TABLE,
             1, ["src/model/t.cpp:1: ../../tests/x.h leaves src/"]),
            ("unknown folder", {"src/ui/gui/y.h": "\n"}, TABLE, 1, ["folder ui/gui has no line"]),
            ("unused allowed arrow", {}, TABLE.replace("ui: model", "ui: model link"),
             1, ["ui -> link is allowed but unused"]),
            ("line without sources", {}, TABLE + "gone: model\n", 1, ["folder gone has a line but no sources"]),
        ]
        for name, extra, table, status, messages in cases:
            with self.subTest(name):
                result = run_check({**self.BASE, **extra}, table)
                self.assertEqual(result.returncode, status, result.stdout + result.stderr)
                for message in messages:
                    self.assertIn(message, result.stdout)


if __name__ == "__main__":
    unittest.main()
