"""Fixtures for the end-to-end tests: a private X display, one Wine prefix for the session
and the program itself, each stopped by the test run that started it."""

import os
import shutil
import socket
import subprocess
import sys

import pytest

from vantrel_e2e import REPO, WINE_ENV, Vantrel, wait_for

OUT = REPO / "build" / "e2e"
EXE = REPO / "build" / "win" / "Vantrel.exe"


def _bash(script, env):
    return subprocess.run(["bash", "-c", f"source '{WINE_ENV}'; {script}"], env=env,
                          capture_output=True, text=True)


def wine_session(prefix_name, screen="", compositor=True):
    """A private display (`screen` as WxHxD, or the default) and a fresh prefix under build/e2e
    named for the xdist worker, yielded as the environment; both go when the caller is done."""
    if not EXE.exists():
        pytest.fail(f"missing {EXE}: build the Windows program first")
    OUT.mkdir(parents=True, exist_ok=True)
    env = dict(os.environ)
    env.setdefault("LANG", "C.UTF-8")
    result = _bash(f"start_private_xvfb {screen} >&2 && echo \"$DISPLAY $WINE_ENV_XVFB_PID\"", env)
    if result.returncode != 0:
        pytest.fail("Xvfb did not start: " + result.stderr)
    display, xvfb_pid = result.stdout.split()
    env["DISPLAY"] = display
    running = None
    # A compositor lets layered windows blend.
    if compositor and subprocess.run(["which", "xcompmgr"], capture_output=True).returncode == 0:
        running = subprocess.Popen(["xcompmgr"], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
    # Parallel workers (pytest -n) each get their own display (above) and prefix.
    prefix = OUT / (prefix_name + "-" + os.environ.get("PYTEST_XDIST_WORKER", "main"))
    _bash(f"prepare_wine_prefix '{prefix}' fresh", env)
    env.update({"WINEPREFIX": str(prefix), "WINEDEBUG": "-all",
                "WINEDLLOVERRIDES": "mscoree,mshtml="})
    try:
        yield env
    finally:
        subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=env, capture_output=True)
        if running:
            running.terminate()
            running.wait(10)
        subprocess.run(["kill", xvfb_pid], capture_output=True)


@pytest.fixture(scope="session")
def wine_env():
    """One display and one prefix for the session."""
    yield from wine_session("pytest-prefix")


@pytest.fixture
def shots(request):
    """Folder for this test's screenshots and logs."""
    folder = OUT / request.node.name
    folder.mkdir(parents=True, exist_ok=True)
    return folder


@pytest.fixture
def vantrel(wine_env, shots):
    """The program, not yet started: call .start() (optionally with a --simulate script)."""
    app = Vantrel(wine_env, shots, EXE)
    try:
        yield app
    finally:
        app.stop()
        # Anything the program left open (a dialog's process) goes with the server's children.
        subprocess.run(["wineserver", "-k"], env=wine_env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=wine_env, capture_output=True)


@pytest.fixture
def update_server(shots):
    """A plain HTTP server on the loopback interface, for at most ten minutes."""
    root = shots / "server"
    if root.exists():
        shutil.rmtree(root)
    root.mkdir(parents=True)
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    proc = subprocess.Popen(["timeout", "600", sys.executable, "-m", "http.server", str(port),
                             "--bind", "127.0.0.1", "--directory", str(root)],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: socket.socket().connect_ex(("127.0.0.1", port)) == 0, timeout=20,
             what="the update server")
    try:
        yield root, f"http://127.0.0.1:{port}/"
    finally:
        proc.terminate()
        proc.wait(10)
