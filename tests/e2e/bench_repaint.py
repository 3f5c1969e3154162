"""Cost of a full repaint of the real program's main window at 100, 150 and 200 % under Wine:
the Win32 canvas with its fonts and blends, which the headless benchmark does not draw. Not a
test (nothing is asserted about time); run it by name:

    cd tests/e2e && python3 -m pytest -q -s bench_repaint.py

It prints, per DPI, the client size and the median and mean milliseconds of one repaint."""

import subprocess

import pytest

from conftest import EXE, wine_session
from test_high_dpi import set_dpi
from vantrel_e2e import REPO, Vantrel

TIMER = REPO / "build" / "win" / "VantrelPaintTimer.exe"
MAIN_CLASS = "GamingMouse_QVR"


@pytest.fixture(scope="module")
def bench_env():
    yield from wine_session("repaint-bench-prefix", screen="2400x1600x24", compositor=False)


def test_repaint_cost_by_dpi(bench_env, shots):
    results = {}
    for dpi in (96, 144, 192):
        set_dpi(bench_env, dpi)
        app = Vantrel(bench_env, shots / str(dpi), EXE)
        try:
            app.start()
            app.wait_main_window()
            app.settle()
            out = subprocess.run(["wine", str(TIMER), MAIN_CLASS, "200"], env=bench_env,
                                 capture_output=True, text=True, timeout=600)
            assert out.returncode == 0, out.stderr
            results[dpi] = dict(f.split("=") for f in out.stdout.split())
        finally:
            app.stop()
            subprocess.run(["wineserver", "-k"], env=bench_env, capture_output=True)
    base = float(results[96]["median_ms"])
    for dpi, r in results.items():
        print(f"dpi={dpi} {r['client']} median {r['median_ms']} ms mean {r['mean_ms']} ms "
              f"ratio {float(r['median_ms']) / base:.2f}")
