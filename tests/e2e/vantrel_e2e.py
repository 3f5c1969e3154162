"""Driving the real Vantrel.exe under Wine: the program, its control dump, its simulated
mouse's traffic log and its data folder. Used by the pytest fixtures in conftest.py."""

import contextlib
import os
import re
import shutil
import signal
import subprocess
import time
from dataclasses import dataclass
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
WINE_ENV = REPO / "scripts" / "wine-env.sh"

_WINDOW = re.compile(
    r"^window=(?P<title>.*?) class=(?P<cls>\S+) x=(?P<x>-?\d+) y=(?P<y>-?\d+) "
    r"w=(?P<w>\d+) h=(?P<h>\d+) visible=(?P<visible>[01])$")
_CONTROL = re.compile(
    r"^window=(?P<title>.*?) id=(?P<id>\d+) class=(?P<cls>\S+) x=(?P<x>-?\d+) y=(?P<y>-?\d+) "
    r"w=(?P<w>\d+) h=(?P<h>\d+) visible=(?P<visible>[01]) enabled=(?P<enabled>[01]) "
    r"checked=(?P<checked>[01])(?: focused=(?P<focused>[01]))? text=(?P<text>.*)$")


@dataclass
class Control:
    window: str  # class of the window it belongs to
    id: int
    cls: str
    x: int
    y: int
    w: int
    h: int
    visible: bool
    enabled: bool
    checked: bool
    text: str
    focused: bool = False  # has the keyboard focus (a menu: the highlighted row)

    @property
    def centre(self):
        return self.x + self.w // 2, self.y + self.h // 2


@dataclass
class Window:
    title: str
    cls: str
    x: int
    y: int
    w: int
    h: int
    visible: bool
    controls: list


def parse_dump(text):
    """The windows of a --ui-dump file, each with its controls, in file order."""
    windows = []
    for line in text.splitlines():
        m = _CONTROL.match(line)
        if m and windows:
            g = m.groupdict()
            windows[-1].controls.append(Control(
                windows[-1].cls, int(g["id"]), g["cls"], int(g["x"]), int(g["y"]), int(g["w"]),
                int(g["h"]), g["visible"] == "1", g["enabled"] == "1", g["checked"] == "1",
                g["text"], g["focused"] == "1"))
            continue
        m = _WINDOW.match(line)
        if m:
            g = m.groupdict()
            windows.append(Window(g["title"], g["cls"], int(g["x"]), int(g["y"]), int(g["w"]),
                                  int(g["h"]), g["visible"] == "1", []))
    return windows


def wait_for(predicate, timeout=30.0, interval=0.1, what="condition"):
    """Polls until `predicate()` returns something true and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def find_window(title, env):
    """A visible X window by its exact title, once it has settled: (id, left, top)."""
    window = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", f"^{title}$",
                                      env=env).stdout.split(), 60, what=title)[0]
    time.sleep(1)
    geometry = dict(line.split("=") for line in xdotool(
        "getwindowgeometry", "--shell", window, env=env).stdout.split())
    return window, int(geometry["X"]), int(geometry["Y"])


PROBES = REPO / "build" / "win" / "vantrel_win32_tests.exe"


@contextlib.contextmanager
def probe(name, env, log_path):
    """Runs one disabled test of the adapter test program, a window the caller drives, and
    checks once the caller is done that the test passed."""
    assert PROBES.exists(), f"missing {PROBES}: build the Windows programs first"
    with open(log_path, "w") as log:
        proc = subprocess.Popen(["wine", str(PROBES), "--gtest_also_run_disabled_tests",
                                 f"--gtest_filter={name}"], cwd=PROBES.parent, env=env,
                                stdout=log, stderr=subprocess.STDOUT)
        try:
            yield proc
            proc.wait(30)
        finally:
            if proc.poll() is None:
                proc.terminate()
                proc.wait(10)
    text = log_path.read_text(errors="replace").replace("\r", "")
    assert "[  PASSED  ] 1 test" in text, text


def click_in(origin, point, env, button=1, pause=0.4):
    """Clicks `point` of a window's client area whose top left is at `origin` on screen."""
    xdotool("mousemove", "--sync", origin[0] + point[0], origin[1] + point[1], env=env)
    time.sleep(0.1)
    xdotool("click", button, env=env)
    time.sleep(pause)


def clipboard_owner(env, text, settle=1.0):
    """A process that owns the X clipboard holding `text` until it is terminated."""
    owner = subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet"], env=env,
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    owner.stdin.write(text.encode("utf-8"))
    owner.stdin.close()
    time.sleep(settle)
    return owner


def winepath(path, env):
    out = subprocess.run(["winepath", "-w", str(path)], env=env, capture_output=True, text=True,
                         check=True)
    return out.stdout.strip()


def xdotool(*args, env):
    return subprocess.run(["xdotool", *map(str, args)], env=env, capture_output=True, text=True)


class Vantrel:
    """One run of Vantrel.exe with a fresh data folder, --simulate, --sim-log and --ui-dump."""

    def __init__(self, env, workdir, exe):
        self.env = env
        self.workdir = Path(workdir)
        self.exe = Path(exe)
        self.proc = None
        self.dump_path = self.workdir / "ui-dump.txt"
        self.sim_log_path = self.workdir / "sim-log.txt"
        user = os.environ.get("USER") or subprocess.run(
            ["id", "-un"], capture_output=True, text=True).stdout.strip()
        self.data_dir = (Path(env["WINEPREFIX"]) / "drive_c" / "users" / user / "AppData" /
                         "Roaming" / "GamingMouseData20250627A")

    # --- life cycle ---
    def start(self, script=None, simulate=True, keep_data=False, extra_args=(), extra_env=None):
        self.workdir.mkdir(parents=True, exist_ok=True)
        if not keep_data and self.data_dir.exists():
            shutil.rmtree(self.data_dir)
        for path in (self.dump_path, self.sim_log_path):
            if path.exists():
                path.unlink()
        args = ["wine", str(self.exe)]
        if simulate:
            args.append("--simulate" + (f"={winepath(script, self.env)}" if script else ""))
            args.append(f"--sim-log={winepath(self.sim_log_path, self.env)}")
        args.append(f"--ui-dump={winepath(self.dump_path, self.env)}")
        args.extend(extra_args)
        self.log = open(self.workdir / "program.log", "w")
        env = dict(self.env, **(extra_env or {}))
        self.proc = subprocess.Popen(args, cwd=self.exe.parent, env=env, stdout=self.log,
                                     stderr=subprocess.STDOUT)
        return self

    def wait_main_window(self, timeout=60):
        return wait_for(lambda: self.window("CVantrelDlg", visible=True), timeout,
                        what="the main window in the control dump")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(10)
        self.proc = None

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    # --- what is on screen ---
    def dump(self):
        try:
            return parse_dump(self.dump_path.read_text(encoding="utf-8"))
        except FileNotFoundError:
            return []

    def window(self, cls, visible=None):
        for w in self.dump():
            if w.cls == cls and (visible is None or w.visible == visible):
                return w
        return None

    def control(self, control_id, window="CVantrelDlg"):
        w = self.window(window)
        if not w:
            return None
        for c in w.controls:
            if c.id == control_id:
                return c
        return None

    def wait_control(self, control_id, predicate=lambda c: True, window="CVantrelDlg",
                     timeout=20, what=None):
        def found():
            c = self.control(control_id, window)
            return c if c and predicate(c) else None
        return wait_for(found, timeout, what=what or f"control {control_id} in {window}")

    # --- input ---
    def pointer(self):
        """(x, y, window id) of the pointer."""
        where = dict(line.split("=", 1) for line in xdotool(
            "getmouselocation", "--shell", env=self.env).stdout.split())
        return int(where["X"]), int(where["Y"]), where.get("WINDOW", "")

    def move_to(self, x, y):
        # A move "with sync" to where the pointer already is waits for a motion event that
        # never comes (about 15 s).
        if self.pointer()[:2] != (x, y):
            xdotool("mousemove", "--sync", x, y, env=self.env)

    def click_at(self, x, y, button=1, repeat=1):
        self.move_to(x, y)
        time.sleep(0.05)
        if repeat > 1:
            xdotool("click", "--repeat", repeat, "--delay", 80, button, env=self.env)
        else:
            xdotool("click", button, env=self.env)

    def click(self, control_id, window="CVantrelDlg", button=1, repeat=1):
        c = self.wait_control(control_id, lambda c: c.visible, window)
        self.click_at(*c.centre, button=button, repeat=repeat)
        return c

    def hover(self, control_id, window="CVantrelDlg"):
        c = self.wait_control(control_id, lambda c: c.visible, window)
        self.move_to(*c.centre)
        return c

    def drag(self, start, end, steps=8):
        xdotool("mousemove", "--sync", *start, env=self.env)
        xdotool("mousedown", 1, env=self.env)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            xdotool("mousemove", "--sync", x, y, env=self.env)
            time.sleep(0.03)
        xdotool("mouseup", 1, env=self.env)

    def type_text(self, text):
        xdotool("type", "--delay", 60, text, env=self.env)

    def key(self, *keys):
        xdotool("key", *keys, env=self.env)

    # --- evidence ---
    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True)
        return path

    def sim_log(self):
        try:
            return self.sim_log_path.read_text(encoding="utf-8", errors="replace")
        except FileNotFoundError:
            return ""

    def settle(self, quiet=0.8, timeout=15.0):
        """Waits until no write is running: the simulated mouse's log has not grown for `quiet`
        seconds and the progress window that follows each write has closed. That window is
        modal, so a click on the main window while it shows reaches no control (as on
        Windows); tests that click right after a change wait here first."""
        last, since, end = None, time.monotonic(), time.monotonic() + timeout
        while time.monotonic() < end:
            size = self.sim_log_path.stat().st_size if self.sim_log_path.exists() else -1
            if size != last:
                last, since = size, time.monotonic()
            elif time.monotonic() - since >= quiet and not self.window("CProgressDlg",
                                                                        visible=True):
                return
            time.sleep(0.1)

    def sent_commands(self):
        """Report-6 frames sent to the mouse and acknowledged, as lists of byte strings."""
        frames = []
        for line in self.sim_log().splitlines():
            parts = line.split()
            if len(parts) > 4 and parts[1] == "set" and parts[3] == "ok" and parts[4] == "06":
                frames.append(parts[4:])
        return frames

    def data_file(self, relative):
        return self.data_dir / relative.replace("\\", "/")

    def read_utf16(self, relative):
        raw = self.data_file(relative).read_bytes()
        return raw.decode("utf-16")
