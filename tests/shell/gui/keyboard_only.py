#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The program used with the keyboard alone, as a user who cannot use a mouse uses it: key
# events only (xdotool), no pointer event. Opens a file, types a channel's receive frequency
# into the table, changes a setting in the Optional Functions form, saves, reads the
# simulated radio and writes it back. Then the saved file holds exactly those changes and the
# radio holds, byte for byte, the memory that was read from it.
#
# Usage: keyboard_only.py BIN_DIR
# Run it on an X server of its own (keyboard_only.sh starts one).
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SHOTS = os.environ.get("KEYBOARD_ONLY_SHOTS")  # a folder for a screenshot after each step


def run(*command, **options):
    return subprocess.run(command, check=True, capture_output=True, text=True, **options)


def keys(*names):
    """Sends key presses to the window that has the focus, as typing on the keyboard does."""
    for name in names:
        run("xdotool", "key", "--clearmodifiers", "--delay", "60", name)
        time.sleep(0.25)


def type_text(text):
    run("xdotool", "type", "--delay", "60", text)
    time.sleep(0.3)


MAIN_WINDOW = []


def focused_title():
    """The title of the window with the keyboard focus. No window manager runs here: when a
    dialog closes, the focus goes back to the main window as a window manager would send it."""
    title = subprocess.run(["xdotool", "getwindowfocus", "getwindowname"], capture_output=True, text=True).stdout
    if not title.strip() and MAIN_WINDOW:
        subprocess.run(["xdotool", "windowfocus", "--sync", MAIN_WINDOW[0]], capture_output=True)
    return title.strip()


def main_title():
    return run("xdotool", "getwindowname", MAIN_WINDOW[0]).stdout.strip()


def wait_for(what, condition, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return
        time.sleep(0.2)
    raise RuntimeError("waited in vain for %s (the focus is on %r)" % (what, focused_title()))


def shot(name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name + ".png")], check=False)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    bin_dir = os.path.abspath(sys.argv[1])
    cli, sim, program = (os.path.join(bin_dir, name) for name in ("radioprog-cli", "radiosim", "radioprog"))
    if shutil.which("xdotool") is None:
        print("FAIL: xdotool is missing (make deps installs it)")
        return 1
    with tempfile.TemporaryDirectory() as work:
        path = lambda name: os.path.join(work, name)  # noqa: E731
        # The file to edit: the image after start-up. The radio: the same with channel 3 set.
        run(cli, "new", path("edited.dat"))
        shutil.copy(path("edited.dat"), path("original.dat"))
        shutil.copy(path("edited.dat"), path("radio.dat"))
        with open(path("radio.csv"), "w") as handle:
            handle.write("Location,Name,Frequency,Duplex,Offset,Mode,Power\n3,SIM,438.500000,,0.000000,FM,High\n")
        run(cli, "import-csv", path("radio.dat"), path("radio.csv"))

        radio = subprocess.Popen([sim, "--load", path("radio.dat"), "--save", path("radio-memory.dat"),
                                  "--link", path("radio"), "--instant"], stdout=subprocess.DEVNULL)
        wait_for("the simulated radio", lambda: os.path.exists(path("radio")))
        env = dict(os.environ, XDG_CONFIG_HOME=path("config"), XDG_STATE_HOME=path("state"),
                   RADIOPROG_PORTS=path("radio"), QT_QPA_PLATFORM="xcb")
        os.makedirs(os.path.join(env["XDG_CONFIG_HOME"], "radioprog"))
        with open(os.path.join(env["XDG_CONFIG_HOME"], "radioprog", "radioprog.conf"), "w") as handle:
            handle.write("[interface]\nlanguage=2\n")  # English, and no first-run question
        app = subprocess.Popen([program], env=env, cwd=bin_dir)
        try:
            # No window manager runs: the main window is given the keyboard focus once.
            MAIN_WINDOW.append(
                run("xdotool", "search", "--sync", "--onlyvisible", "--name", "Radio Programmer").stdout.split()[0])
            run("xdotool", "windowfocus", "--sync", MAIN_WINDOW[0])
            wait_for("the main window", lambda: "Radio Programmer" in focused_title())
            time.sleep(1.5)  # the channel table opens just after start-up
            shot("1-start")

            keys("ctrl+o")
            wait_for("the Open dialog", lambda: "Radio Programmer" not in focused_title())
            type_text(path("edited.dat"))
            keys("Return")
            wait_for("the opened file", lambda: "edited.dat" in focused_title())
            shot("2-opened")

            # Channel 0's receive frequency: the first cell of the row, then one to the right.
            keys("ctrl+Home", "Home", "Right")
            type_text("145.5")
            keys("Return")
            shot("3-frequency")

            # Edit menu, its second item: Optional Functions. The first list gets the next
            # entry; Shift+Tab twice from there reaches OK (the last stop but one).
            keys("alt+e", "Down", "Return")
            time.sleep(1.0)
            keys("Down")
            shot("4-setting")
            keys("shift+Tab", "shift+Tab", "space")
            time.sleep(0.5)

            keys("ctrl+s")
            wait_for("the save", lambda: not focused_title().startswith("*"), 10)
            time.sleep(0.5)
            shot("5-saved")

            # Program menu: Read from Radio, then Write to Radio; each ends in a result
            # dialog that takes the focus and closes with Return.
            for position, what in ((0, "read"), (1, "write")):
                keys("alt+p", *(["Down"] * position), "Return")
                time.sleep(0.5)
                wait_for("the %s result" % what, lambda: focused_title() not in ("", main_title()), 60)
                shot("6-%s" % what)
                keys("Return")
                time.sleep(0.5)
        finally:
            app.terminate()
            try:
                app.wait(20)
            except subprocess.TimeoutExpired:
                app.kill()
            radio.send_signal(signal.SIGINT)
            radio.wait(20)

        problems = []
        differences = subprocess.run([cli, "diff", path("original.dat"), path("edited.dat")],
                                     capture_output=True, text=True).stdout
        print("saved file against the original:\n" + differences)
        # Channel 0 is new: all its cells are, with the frequency typed; and one setting,
        # the first list of the form, moved to its next entry.
        lines = [line.strip() for line in differences.splitlines() if line.strip()]
        for wanted in ("CH 0 RX Freq (empty) → 145.50000", "TX Time-out 45 → 60"):
            if wanted not in lines:
                problems.append("the saved file lacks %r" % wanted)
        others = [line for line in lines if not line.startswith("CH 0 ") and line != "TX Time-out 45 → 60"]
        if others:
            problems.append("the saved file has other changes: %r" % others)
        with open(path("radio.dat"), "rb") as first, open(path("radio-memory.dat"), "rb") as second:
            if first.read() != second.read():
                problems.append("the radio does not hold the memory that was read from it")
        for problem in problems:
            print("FAIL: " + problem)
        return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
