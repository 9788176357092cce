#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The channel table for a screen reader across reloads and a dialog: with the accessibility bus
# attached, opens a file, opens it again, opens another, and opens and closes the batch dialog
# (key events only). After each step the table is named, has a current cell, and its cells
# answer with what the file holds; the program is still running.
#
# Usage: accessibility_reload.py BIN_DIR
# Run it inside a private D-Bus session with an X server (accessibility_reload.sh does). Exit
# status 0: all checks held; 1: a check failed; 77: the accessibility bus cannot start.
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import accessibility_tree as tree  # noqa: E402

try:
    import pyatspi
except ImportError:
    print("FAIL: python3-pyatspi is not installed (make deps installs it)")
    sys.exit(1)

# The key-event helpers of the keyboard-only scenario, and its main-window handle.
from keyboard_only import MAIN_WINDOW, focused_title, keys, run, wait_for  # noqa: E402,F401


def open_file(path):
    keys("ctrl+o")
    wait_for("the Open dialog", lambda: "Radio Programmer" not in focused_title())
    run("xdotool", "type", "--delay", "40", path)
    keys("Return")
    wait_for("the opened file", lambda: os.path.basename(path) in focused_title() and
             "Radio Programmer" in focused_title())
    time.sleep(1.0)


def current_cell(table):
    """The cell a screen reader is on: the focused or selected one."""
    for index in range(table.childCount):
        cell = table.getChildAtIndex(index)
        if cell is None or tree.role_of(cell) != "table cell":
            continue
        states = cell.getState()
        if states.contains(pyatspi.STATE_FOCUSED) or states.contains(pyatspi.STATE_SELECTED):
            return cell
    return None


def check_table(app, step, expect):
    """Problems with the table after step; expect: (row, column, text the cell's name holds)."""
    table = tree.find(app, lambda node: tree.role_of(node) == "table")
    if table is None:
        return ["%s: no channel table" % step]
    problems = []
    if not (table.name or "").strip():
        problems.append("%s: the table has no name" % step)
    cell = current_cell(table)
    if cell is None or not (cell.name or "").strip():
        problems.append("%s: the table has no current cell" % step)
    try:
        grid = table.queryTable()
        row, column, text = expect
        name = grid.getAccessibleAt(row, column).name or ""
        if text not in name:
            problems.append("%s: cell (%d, %d) reads %r, not %r" % (step, row, column, name, text))
        if grid.nRows < 128:
            problems.append("%s: the table has %d rows" % (step, grid.nRows))
    except Exception as error:
        problems.append("%s: the table's cells do not answer: %s" % (step, error))
    return problems


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    bin_dir = os.path.abspath(sys.argv[1])
    cli, program = os.path.join(bin_dir, "radioprog-cli"), os.path.join(bin_dir, "radioprog")
    try:
        tree.accessibility_bus_address()
        pyatspi.Registry.getDesktop(0)
    except Exception as error:
        print("SKIP: the accessibility bus cannot start: %s" % error)
        return tree.SKIP
    with tempfile.TemporaryDirectory() as work:
        path = lambda name: os.path.join(work, name)  # noqa: E731
        # Two files that differ in channel 3.
        run(cli, "new", path("first.dat"))
        run(cli, "new", path("second.dat"))
        with open(path("second.csv"), "w") as handle:
            handle.write("Location,Name,Frequency,Duplex,Offset,Mode,Power\n3,SIM,438.500000,,0.000000,FM,High\n")
        run(cli, "import-csv", path("second.dat"), path("second.csv"))
        config = path("config")
        os.makedirs(os.path.join(config, "radioprog"))
        with open(os.path.join(config, "radioprog", "radioprog.conf"), "w") as handle:
            handle.write("[interface]\nlanguage=2\n")
        env = dict(os.environ, XDG_CONFIG_HOME=config, XDG_STATE_HOME=path("state"), QT_ACCESSIBILITY="1",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", RADIOPROG_PORTS="", QT_QPA_PLATFORM="xcb")
        process = subprocess.Popen([program, path("first.dat")], env=env, cwd=bin_dir)
        problems = []
        try:
            app = tree.find_app(os.path.basename(program), 30)
            if app is None:
                print("FAIL: the program did not appear on the accessibility bus")
                return 1
            MAIN_WINDOW.append(
                run("xdotool", "search", "--sync", "--onlyvisible", "--name", "Radio Programmer").stdout.split()[0])
            run("xdotool", "windowfocus", "--sync", MAIN_WINDOW[0])
            wait_for("the opened file", lambda: "first.dat" in focused_title())
            time.sleep(1.5)  # the channel table opens just after start-up
            empty = (3, 1, "empty")
            problems += check_table(app, "opened", empty)
            open_file(path("first.dat"))
            problems += check_table(app, "opened again", empty)
            open_file(path("second.dat"))
            problems += check_table(app, "another file", (3, 1, "438.50000"))
            # Edit menu, third item: the batch dialog; Esc closes it.
            keys("alt+e", "Down", "Down", "Return")
            wait_for("the batch dialog", lambda: "Radio Programmer" not in focused_title())
            keys("Escape")
            wait_for("the main window", lambda: "Radio Programmer" in focused_title())
            time.sleep(0.5)
            problems += check_table(app, "after a dialog", (3, 1, "438.50000"))
            if process.poll() is not None:
                problems.append("the program ended with status %s" % process.returncode)
        except RuntimeError as error:
            problems.append(str(error))
        finally:
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
    for problem in problems:
        print("FAIL: " + problem)
    print("%d problems" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
