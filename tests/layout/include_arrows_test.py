#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The include-arrows check on a small tree: an include against the table and a folder the
table does not know both fail, naming the file; allowed and foreign includes pass."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).resolve().parent / "include_arrows.py"
TABLE = "# comment\nmodel:\nui: model\nviews: model ui  # trailing comment\n"


def run_check(files):
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for name, text in {"table.txt": TABLE, **files}.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text, encoding="utf-8")
        return subprocess.run([sys.executable, str(CHECK), str(root), "--table", str(root / "table.txt")],
                              capture_output=True, text=True)


class IncludeArrows(unittest.TestCase):
    BASE = {
        "src/model/a.h": '#include <vector>\n#include "b.h"\n',
        "src/ui/w.h": '#include "model/a.h"\n#include "gtest/gtest.h"\n',
        "src/views/v.cpp": '#include "ui/w.h"\n  #  include "model/a.h"\n',
    }

    def test_cases(self):
        cases = [
            ("allowed", {}, 0, []),
            ("upward arrow", {"src/model/c.cpp": '#include "ui/w.h"\n'},
             1, ["src/model/c.cpp:1: model may not include ui/w.h"]),
            ("indented include", {"src/ui/x.cpp": '\n # include "views/v.h"\n'},
             1, ["src/ui/x.cpp:2: ui may not include views/v.h"]),
            ("unknown folder", {"src/ui/gui/y.h": "\n"}, 1, ["folder ui/gui has no line"]),
        ]
        for name, extra, status, messages in cases:
            with self.subTest(name):
                result = run_check({**self.BASE, **extra})
                self.assertEqual(result.returncode, status, result.stdout + result.stderr)
                for message in messages:
                    self.assertIn(message, result.stdout)


if __name__ == "__main__":
    unittest.main()
