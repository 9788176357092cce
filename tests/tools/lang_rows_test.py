#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The built-in English writer: texts survive as C++ literals, and a file and row names that
disagree stop the build with the row concerned."""
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

REPO = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tools"))
import lang_rows  # noqa: E402

HEADER = """
inline constexpr int kFirstExtra = 2;
enum ExtraRow : int {
    // a comment, with a comma
    kUndo = kFirstExtra,
    kQuoted,  // trailing comment
    kEnd  // one past the last row
};
"""
CSV = "简体中文,繁體中文,English\nz0,t0,e0\nz1,t1,e1\n撤销,復原,&Undo\tCtrl+Z\nz,t,say \"hi\" \\ 5%? é\n"


class BuiltInEnglish(unittest.TestCase):
    def test_texts_compile_to_the_same_bytes(self):
        header = lang_rows.built_in_english(CSV, HEADER)
        with tempfile.TemporaryDirectory() as folder:
            (pathlib.Path(folder) / "built_in_english.h").write_text(header, encoding="utf-8")
            program = pathlib.Path(folder) / "print.cpp"
            program.write_text('#include "built_in_english.h"\n#include <cstdio>\n'
                               "int main() { for (const char* t : radioprog::lang_row::kBuiltInEnglish)"
                               ' std::printf("%s|", t); }\n')
            binary = pathlib.Path(folder) / "print"
            subprocess.run([os.environ.get("CXX", "c++"), "-std=c++20", "-o", str(binary), str(program)], check=True)
            output = subprocess.run([str(binary)], check=True, capture_output=True).stdout
        self.assertEqual(output.decode("utf-8"), "&Undo\tCtrl+Z|say \"hi\" \\ 5%? é|")

    def test_disagreements_name_the_row(self):
        cases = [
            ("a line without a name", CSV + "z,t,Extra\n", HEADER, "row 4 ('Extra') has no name"),
            ("a name without a line", CSV, HEADER.replace("kEnd", "kMore,\n    kEnd"), "kMore (row 4) has no line"),
            ("an empty English text", CSV.replace("&Undo\tCtrl+Z", ""), HEADER, "row 2 (kUndo) has no English"),
            ("a second number", CSV, HEADER.replace("kQuoted,", "kQuoted = 9,"), "only the first name is set"),
            ("no kEnd", CSV, HEADER.replace("kEnd", "kLast"), "the last name must be kEnd"),
            ("no English column", CSV.replace("English", "Deutsch", 1), HEADER, "no 'English' column"),
        ]
        for label, csv, header, message in cases:
            with self.subTest(label):
                with self.assertRaises(lang_rows.RowsError) as raised:
                    lang_rows.built_in_english(csv, header)
                self.assertIn(message, str(raised.exception))

    def test_the_row_count_follows_the_names(self):
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "extra_rows.h"
            path.write_text(HEADER, encoding="utf-8")
            self.assertEqual(lang_rows.row_count(path), 4)


if __name__ == "__main__":
    unittest.main()
