"""Fixtures for the end-to-end tests: a private X display, one Wine prefix for the session
and the program itself, each stopped by the test run that started it."""

import os
import subprocess

import pytest

from vantrel_e2e import REPO, WINE_ENV, Vantrel

OUT = REPO / "build" / "e2e"
EXE = REPO / "build" / "win" / "Vantrel.exe"


def _bash(script, env):
    return subprocess.run(["bash", "-c", f"source '{WINE_ENV}'; {script}"], env=env,
                          capture_output=True, text=True)


@pytest.fixture(scope="session")
def wine_env():
    if not EXE.exists():
        pytest.fail(f"missing {EXE}: build the Windows program first")
    OUT.mkdir(parents=True, exist_ok=True)
    env = dict(os.environ)
    env.setdefault("LANG", "C.UTF-8")
    # One display for the session, with a compositor so that layered windows blend.
    result = _bash("start_private_xvfb >&2 && echo \"$DISPLAY $WINE_ENV_XVFB_PID\"", env)
    if result.returncode != 0:
        pytest.fail("Xvfb did not start: " + result.stderr)
    display, xvfb_pid = result.stdout.split()
    env["DISPLAY"] = display
    compositor = None
    if subprocess.run(["which", "xcompmgr"], capture_output=True).returncode == 0:
        compositor = subprocess.Popen(["xcompmgr"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
    # Parallel workers (pytest -n) each get their own display (above) and prefix.
    prefix = OUT / ("pytest-prefix-" + os.environ.get("PYTEST_XDIST_WORKER", "main"))
    result = _bash(f"prepare_wine_prefix '{prefix}' fresh", env)
    env.update({"WINEPREFIX": str(prefix), "WINEDEBUG": "-all",
                "WINEDLLOVERRIDES": "mscoree,mshtml="})
    try:
        yield env
    finally:
        subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=env, capture_output=True)
        if compositor:
            compositor.terminate()
            compositor.wait(10)
        subprocess.run(["kill", xvfb_pid], capture_output=True)


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
