"""The macro manager under Wine with the real keyboard hook: the adapter test program's probe
opens it on a library holding one macro; keys typed with xdotool into the focused manager are
recorded between two clicks on the record button; the macro is renamed through the context
menu with a non-ASCII name pasted from the X clipboard; closing the manager saves the library;
the select dialog then picks the macro. Screenshots of both are kept; the probe checks what
was recorded, saved and chosen."""

import subprocess
import time

from vantrel_e2e import click_in, clipboard_owner, find_window, probe, xdotool

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
    with probe(PROBE, wine_env, shots / "probe.log"):
        window, x0, y0 = find_window("Vantrel macro manager probe", wine_env)

        def click(point, button=1):
            click_in((x0, y0), point, wine_env, button, pause=0.5)

        click(RECORD)
        xdotool("windowfocus", "--sync", window, env=wine_env)
        xdotool("type", "--delay", 150, "ab", env=wine_env)
        time.sleep(0.5)
        click(RECORD)
        # Rename: the context menu opens at the pointer; its fifth row is "rename".
        owner = clipboard_owner(wine_env, NAME)
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

        _, x0, y0 = find_window("Vantrel macro select probe", wine_env)
        click(SELECT_ROW_0)
        subprocess.run(["import", "-window", "root", str(shots / "macro-select.png")],
                       env=wine_env, check=True)
        click(SELECT_OK)
