"""The macro manager under Wine with the real keyboard hook: the adapter test program's probe
opens it on a library holding one macro; keys typed with xdotool into the focused manager are
recorded between two clicks on the record button; a screenshot is kept; closing the manager
saves the library, and the probe checks what was recorded and saved."""

import subprocess
import time

from vantrel_e2e import REPO, wait_for, xdotool

PROBES = REPO / "build" / "win" / "vantrel_win32_tests.exe"
PROBE = "E2e.DISABLED_MacroManagerRecordsTypedKeys"
# Client points of the manager (src/views/macros/MacroManagerDlg.cpp).
RECORD = (635, 76)
CLOSE = (745, 13)
ACTION_ROW_3 = (400, 134)


def test_manager_records_keys_typed_into_it(wine_env, shots):
    assert PROBES.exists(), f"missing {PROBES}: build the Windows programs first"
    log_path = shots / "probe.log"
    with open(log_path, "w") as log:
        proc = subprocess.Popen(["wine", str(PROBES), "--gtest_also_run_disabled_tests",
                                 f"--gtest_filter={PROBE}"], cwd=PROBES.parent, env=wine_env,
                                stdout=log, stderr=subprocess.STDOUT)
        try:
            window = wait_for(lambda: xdotool("search", "--onlyvisible", "--name",
                                              "^Vantrel macro manager probe$",
                                              env=wine_env).stdout.split(), 60,
                              what="the macro manager")[0]
            time.sleep(1)
            geometry = dict(line.split("=") for line in xdotool(
                "getwindowgeometry", "--shell", window, env=wine_env).stdout.split())
            x0, y0 = int(geometry["X"]), int(geometry["Y"])

            def click(point):
                xdotool("mousemove", "--sync", x0 + point[0], y0 + point[1], env=wine_env)
                time.sleep(0.1)
                xdotool("click", 1, env=wine_env)
                time.sleep(0.3)

            click(RECORD)
            xdotool("windowfocus", "--sync", window, env=wine_env)
            xdotool("type", "--delay", 150, "ab", env=wine_env)
            time.sleep(0.5)
            click(RECORD)
            click(ACTION_ROW_3)  # a selected row shows in the screenshot
            subprocess.run(["import", "-window", "root", str(shots / "macro-manager.png")],
                           env=wine_env, check=True)
            click(CLOSE)
            proc.wait(30)
        finally:
            if proc.poll() is None:
                proc.terminate()
                proc.wait(10)
    text = log_path.read_text(errors="replace").replace("\r", "")
    assert "[  PASSED  ] 1 test" in text, text
