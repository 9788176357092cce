#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""radioprog-cli.exe under Wine, against simulated radios on pseudo-terminals.

Usage: wine_cli_test.py RADIOPROG-CLI.EXE RADIOPROG-CLI RADIOSIM FIXTURE.dat WORK-DIR

The Windows program must do what the Linux one does: the same files from "new", the same
"channels" and "diff" output, and over the serial line the same image read, the image
written (plain and with --verify), a failure that leaves no file when the radio is silent,
and Ctrl+C stopping a read. Wine's COM1-COM4 are mapped to the radios through the registry
(HKLM\\Software\\Wine\\Ports) in a private prefix: a link in the prefix's dosdevices would
be replaced by a real serial port of this machine. Exits 77 (skipped) without Wine or the .exe.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

SKIP = 77
UNICODE_NAME = "频道-Ωmega.dat"
EXE, CLI, SIM, FIXTURE, WORK = (os.path.abspath(a) for a in sys.argv[1:6]) if len(sys.argv) >= 6 else [""] * 5
PREFIX = os.path.join(WORK, "wine-prefix")
ENV = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="C.UTF-8")
ENV.pop("RADIOPROG_PORTS", None)
ENV.pop("DISPLAY", None)


def wine(*args, timeout=120, **kwargs):
    return subprocess.run(["wine", *args], env=ENV, capture_output=True, timeout=timeout, **kwargs)


def cli_exe(*args, **kwargs):
    return wine(EXE, *args, **kwargs)


def cli(*args):
    return subprocess.run([CLI, *args], env=ENV, capture_output=True, timeout=120)


class Radio:
    """radiosim on a pseudo-terminal; its device path is the first line it prints."""

    def __init__(self, *options):
        self.process = subprocess.Popen([SIM, *options], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.device = self.process.stdout.readline().strip()
        if not self.device.startswith("/dev/"):
            raise RuntimeError("radiosim printed no device")

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def map_ports(devices):
    """COM1, COM2, ... = devices, in the prefix's registry; the Wine server restarts to take it."""
    lines = ["REGEDIT4", "", "[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]"]
    for number, device in enumerate(devices, 1):
        value = "-" if device is None else '"' + device + '"'
        lines.append('"COM%d"=%s' % (number, value))
    with tempfile.NamedTemporaryFile("w", suffix=".reg", dir=WORK, delete=False) as reg:
        reg.write("\r\n".join(lines) + "\r\n")
    try:
        result = wine("regedit", "/S", reg.name)
        if result.returncode != 0:
            raise RuntimeError("regedit failed: " + result.stderr.decode(errors="replace"))
    finally:
        os.unlink(reg.name)
    subprocess.run(["wineserver", "-k"], env=ENV, timeout=60)
    subprocess.run(["wineserver", "-w"], env=ENV, timeout=60)


class WineCliTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(dir=WORK, prefix="wine-cli-")
        # The one prefix is made at the first run and kept for the next.
        # The fixture's channels lie outside the usual bands: the radio written takes them all.
        cls.radios = [Radio("--load", FIXTURE, "--instant"), Radio("--bands", "100-999,100-999", "--instant"),
                      Radio("--silent"), Radio("--load", FIXTURE)]
        map_ports([r.device for r in cls.radios])
        # The fixture as the radio holds it: the image the writes store.
        cls.image = os.path.join(cls.dir, "radio.dat")
        if cli("read", "--device", cls.radios[0].device, cls.image).returncode != 0:
            raise RuntimeError("the Linux program cannot read the simulated radio")

    @classmethod
    def tearDownClass(cls):
        try:
            # No mapping outlives the radios: the pseudo-terminals' names are reused.
            map_ports([None] * len(cls.radios))
        finally:
            for radio in cls.radios:
                radio.stop()
            shutil.rmtree(cls.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def assertSameRun(self, args):
        """The .exe and the Linux program: the same exit status and output."""
        windows, linux = cli_exe(*args), cli(*args)
        self.assertEqual(windows.returncode, linux.returncode, windows.stderr)
        self.assertEqual(windows.stdout, linux.stdout)

    def test_files_without_a_radio(self):
        version = cli_exe("--version")
        self.assertEqual(version.returncode, 0)
        self.assertEqual(version.stdout.splitlines()[0], cli("--version").stdout.splitlines()[0])
        created = cli_exe("new", self.path("exe.dat"))
        self.assertEqual(created.returncode, 0, created.stderr)
        self.assertEqual(cli("new", self.path("linux.dat")).returncode, 0)
        with open(self.path("exe.dat"), "rb") as a, open(self.path("linux.dat"), "rb") as b:
            self.assertEqual(a.read(), b.read())
        self.assertSameRun(["channels", FIXTURE])
        self.assertSameRun(["diff", self.path("exe.dat"), FIXTURE])
        # An image through standard output keeps every byte (no CR LF translation).
        through_pipe = cli_exe("export-csv", FIXTURE, "-")
        self.assertEqual(through_pipe.stdout, cli("export-csv", FIXTURE, "-").stdout)

    def test_ports_lists_the_mapped_ports(self):
        result = cli_exe("ports")
        self.assertEqual(result.returncode, 0, result.stderr)
        listed = [line.split()[0] for line in result.stdout.decode().splitlines() if line.startswith("COM")]
        for port in ("COM1", "COM2", "COM3"):
            self.assertIn(port, listed, result.stdout)

    def test_read_gets_the_radios_image(self):
        # A name the Windows code page (1252 here) cannot hold: the file is named in UTF-16.
        target = self.path(UNICODE_NAME)
        result = cli_exe("read", "--device", "COM1", target)
        self.assertEqual(result.returncode, 0, result.stderr)
        # The radio's memory as the Linux program reads it from the same radio.
        with open(target, "rb") as a, open(self.image, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_write_and_verified_write_store_the_file(self):
        for verify in ([], ["--verify"]):
            with self.subTest(verify=verify):
                blank = self.path("blank.dat")
                self.assertEqual(cli("new", blank).returncode, 0)
                self.assertEqual(cli("write", blank, "--device", self.radios[1].device).returncode, 0)
                source = self.path("w-" + UNICODE_NAME)
                shutil.copyfile(self.image, source)
                written = cli_exe("write", source, "--device", "COM2", *verify)
                self.assertEqual(written.returncode, 0, written.stderr)
                back = self.path("back.dat")
                self.assertEqual(cli("read", "--device", self.radios[1].device, back).returncode, 0)
                same = cli("diff", self.image, back)
                self.assertEqual(same.returncode, 0, same.stdout)

    def test_ctrl_c_stops_a_read(self):
        """Wine turns SIGINT into the console's Ctrl+C event, as a Windows console sends it."""
        target, trace = self.path("stopped.dat"), self.path("stopped.log")
        # COM4's radio takes the wire's real time, so a busy machine cannot finish the read first.
        process = subprocess.Popen(["wine", EXE, "read", "--device", "COM4", "--trace", trace, target], env=ENV,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        try:
            # Stopped once bytes move: the read is then well under way and far from done.
            deadline = time.monotonic() + 60
            while process.poll() is None and time.monotonic() < deadline:
                if os.path.exists(trace) and os.path.getsize(trace) >= 2000:
                    break
                time.sleep(0.05)
            self.assertIsNone(process.poll(), "the read ended before it could be stopped")
            process.send_signal(signal.SIGINT)
            _, stderr = process.communicate(timeout=30)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
        self.assertEqual(process.returncode, 130, stderr)
        self.assertFalse(os.path.exists(target))

    def test_silent_radio_fails_and_writes_no_file(self):
        target = self.path("silent.dat")
        result = cli_exe("read", "--device", "COM3", target)
        self.assertNotIn(result.returncode, (0, 2), result.stderr)
        self.assertFalse(os.path.exists(target))


if __name__ == "__main__":
    if len(sys.argv) < 6:
        print(__doc__)
        sys.exit(2)
    if not shutil.which("wine") or not shutil.which("wineserver"):
        print("skipped: Wine is not installed (make deps installs wine and wine64)")
        sys.exit(SKIP)
    if not os.path.isfile(EXE):
        print("skipped: %s is not built (make windows-cli)" % EXE)
        sys.exit(SKIP)
    os.makedirs(WORK, exist_ok=True)
    program = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2)
    sys.exit(0 if program.result.wasSuccessful() else 1)
