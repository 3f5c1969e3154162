"""The macro manager under Wine with the real keyboard hook: the adapter test program's probe
opens it on a library holding one macro; keys typed with xdotool into the focused manager are
recorded between two clicks on the record button; the macro is renamed through the context
menu with a non-ASCII name pasted from the X clipboard; closing the manager saves the library;
the select dialog then picks the macro. Screenshots of both are kept; the probe checks what
was recorded, saved and chosen."""

import subprocess
import time

from vantrel_e2e import REPO, find_window, xdotool

PROBES = REPO / "build" / "win" / "vantrel_win32_tests.exe"
PROBE = "E2e.DISABLED_MacroManagerRecordsTypedKeys"
# Client points of the manager (src/views/macros/MacroManagerDlg.cpp).
RECORD = (635, 76)
CLOSE = (745, 13)
ACTION_ROW_3 = (400, 134)
LIBRARY_ROW_0 = (100, 74)
MENU_PAD, MENU_ROW = 3, 22
RENAME_ITEM = 4  # with a macro selected the menu offers items 1..8
SELECT_ROW_0 = (100, 54)
SELECT_OK = (264, 450)
NAME = "Прыжок 跳"


def test_manager_records_keys_typed_into_it(wine_env, shots):
    assert PROBES.exists(), f"missing {PROBES}: build the Windows programs first"
    log_path = shots / "probe.log"
    with open(log_path, "w") as log:
        proc = subprocess.Popen(["wine", str(PROBES), "--gtest_also_run_disabled_tests",
                                 f"--gtest_filter={PROBE}"], cwd=PROBES.parent, env=wine_env,
                                stdout=log, stderr=subprocess.STDOUT)
        try:
            window, x0, y0 = find_window("Vantrel macro manager probe", wine_env)

            def click(point, button=1):
                xdotool("mousemove", "--sync", x0 + point[0], y0 + point[1], env=wine_env)
                time.sleep(0.1)
                xdotool("click", button, env=wine_env)
                time.sleep(0.5)

            click(RECORD)
            xdotool("windowfocus", "--sync", window, env=wine_env)
            xdotool("type", "--delay", 150, "ab", env=wine_env)
            time.sleep(0.5)
            click(RECORD)
            # Rename: the context menu opens at the pointer; its fifth row is "rename".
            owner = subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet"],
                                     env=wine_env, stdin=subprocess.PIPE,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            owner.stdin.write(NAME.encode("utf-8"))
            owner.stdin.close()
            time.sleep(1)
            click(LIBRARY_ROW_0, 3)
            click((LIBRARY_ROW_0[0] + 20,
                   LIBRARY_ROW_0[1] + MENU_PAD + RENAME_ITEM * MENU_ROW + MENU_ROW // 2))
            time.sleep(1)
            xdotool("key", "ctrl+a", "ctrl+v", env=wine_env)
            time.sleep(0.5)
            xdotool("key", "Return", env=wine_env)
            time.sleep(1)
            owner.terminate()
            owner.wait(10)
            click(ACTION_ROW_3)  # a selected row shows in the screenshot
            subprocess.run(["import", "-window", "root", str(shots / "macro-manager.png")],
                           env=wine_env, check=True)
            click(CLOSE)

            select, x0, y0 = find_window("Vantrel macro select probe", wine_env)
            click(SELECT_ROW_0)
            subprocess.run(["import", "-window", "root", str(shots / "macro-select.png")],
                           env=wine_env, check=True)
            click(SELECT_OK)
            proc.wait(30)
        finally:
            if proc.poll() is None:
                proc.terminate()
                proc.wait(10)
    text = log_path.read_text(errors="replace").replace("\r", "")
    assert "[  PASSED  ] 1 test" in text, text
