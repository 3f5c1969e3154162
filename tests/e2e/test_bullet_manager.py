"""The shooting-action manager and its select dialog under Wine: the adapter test program's
probe opens the manager on an empty library; a new shooting action is named by typing with
xdotool (a non-ASCII name), gets a fifth bullet, and the manager is closed, which saves the
library; the select dialog then picks it. A screenshot of each window is kept."""

import subprocess
import time

from vantrel_e2e import click_in, find_window, probe, xdotool

PROBE = "E2e.DISABLED_BulletManagerAndSelect"
# Client points (src/views/macros/LibraryManagerDlg.h, BulletManagerDlg.cpp, MacroSelectDlg.cpp).
NEW = (80, 501)
BULLET_PLUS = (485, 240)
Y_OF_BULLET_1 = (346, 144)
CLOSE = (745, 14)
SELECT_ROW_0 = (120, 50)
SELECT_OK = (268, 444)


def test_shooting_action_made_named_and_chosen(wine_env, shots):
    with probe(PROBE, wine_env, shots / "probe.log"):
        _, x0, y0 = find_window("Vantrel shooting-action manager probe", wine_env)

        def click(point, origin=None):
            click_in(origin or (x0, y0), point, wine_env)

        click(NEW)
        time.sleep(1)  # the name dialog opens focused on its entry
        xdotool("type", "--delay", 120, "Salve Zoë", env=wine_env)
        xdotool("key", "Return", env=wine_env)
        time.sleep(0.5)
        click(BULLET_PLUS)
        click(Y_OF_BULLET_1)  # a selected line shows in the screenshot
        subprocess.run(["import", "-window", "root", str(shots / "bullet-manager.png")],
                       env=wine_env, check=True)
        click(CLOSE)

        _, sx, sy = find_window("Vantrel shooting-action select probe", wine_env)
        click(SELECT_ROW_0, (sx, sy))
        subprocess.run(["import", "-window", "root", str(shots / "bullet-select.png")],
                       env=wine_env, check=True)
        click(SELECT_OK, (sx, sy))
