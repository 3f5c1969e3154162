"""The companion in the tray under Wine: a profile whose program is Wine's notepad comes in
while notepad is in front and goes when it ends; the games dialog through the real file
dialog; the battery notice from a script that lowers the battery; in English and Chinese."""

import re
import subprocess
import time
from pathlib import Path

import pytest

from vantrel_e2e import wait_for, winepath, xdotool
from test_profiles import (DPI_LEVEL_3, Clipboard, choose_row, file_dialog, frames_since,
                           open_menu, settled, wait_frames, write_language)

FIRST_TAB, COMBO = 2049, 3100
SLOT_MENU, GAMES_ROW = "CProfileRKeyPopup", 6
GAMES = "CGamesDlg"
GAMES_ADD, GAMES_OK, FIRST_NAME, FIRST_REMOVE = 2014, 2010, 2020, 2030
NOTICE, NOTICE_LEVEL, NOTICE_ADVICE = "CBatteryNoticeDlg", 2013, 2014
NOTEPAD = r"C:\windows\system32\notepad.exe"


def write_script(shots, name, lines):
    path = shots / name
    path.write_text("\n".join(lines) + "\n")
    return path


def profile_values(app, slot):
    text = app.read_utf16(f"config\\default{slot}.psf")
    return dict(re.findall(r"^\s*([^=\n]+)=(.*)$", text, re.M))


def frames_count(app):
    return len(app.sent_commands())


def add_program(app, shots, path, shot_name):
    app.click(GAMES_ADD, window=GAMES)
    file_dialog(app, "Choose a game|选择游戏")
    with Clipboard(app, path):
        app.key("ctrl+a")
        app.key("ctrl+v")
        time.sleep(0.5)
        app.screenshot(shots / shot_name)
    app.key("Return")
    wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", "^Choose a game$|^选择游戏$",
                                 env=app.env).stdout.split(), 20,
             what="the file dialog to close")


def open_games(app, slot):
    open_menu(app, FIRST_TAB + slot, 3, SLOT_MENU)
    choose_row(app, SLOT_MENU, GAMES_ROW)
    return wait_for(lambda: app.window(GAMES, visible=True), 20, what="the games dialog")


def test_notepad_in_front_brings_its_profile_in_and_its_end_takes_it_out(vantrel, shots):
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(FIRST_TAB + 2, lambda c: c.visible, what="the profile rows")
    settled(app)
    first = app.control(COMBO).text
    second = app.control(FIRST_TAB + 1).text

    # The games dialog of the second profile: notepad through the real file dialog.
    open_games(app, 1)
    add_program(app, shots, NOTEPAD, "en-games-file-dialog.png")
    app.wait_control(FIRST_NAME, lambda c: c.text.lower() == "notepad.exe", window=GAMES,
                     what="notepad listed")
    time.sleep(0.5)
    app.screenshot(shots / "en-games-dialog.png")
    wait_for(lambda: profile_values(app, 1).get("GameFile0", "").lower() == NOTEPAD.lower(), 20,
             what="GameFile0 saved at once")
    app.click(GAMES_OK, window=GAMES)
    settled(app)
    assert app.control(COMBO).text == first
    # The first profile on DPI level 3, so that the switches have something to send.
    start = frames_count(app)
    app.click(DPI_LEVEL_3)
    users_level = int(wait_frames(app, start, 0x02, 2, "the first profile's DPI packets")[-1][5],
                      16)
    settled(app)
    app.settle()
    before = frames_count(app)

    # Notepad comes to the front with a click in it; Wine reports no foreground change, so
    # the once-a-second look finds it.
    notepad = subprocess.Popen(["wine", "notepad"], env=app.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        window = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "Notepad",
                                          env=app.env).stdout.split(), 60,
                          what="notepad's window")[0]
        geometry = dict(line.split("=", 1) for line in xdotool(
            "getwindowgeometry", "--shell", window, env=app.env).stdout.split())
        app.click_at(int(geometry["X"]) + 100, int(geometry["Y"]) + 80)
        app.wait_control(COMBO, lambda c: c.text == second, timeout=30,
                         what="the second profile active while notepad is in front")
        wait_for(lambda: [f for f in frames_since(app, before, 0x02) if int(f[5], 16) != users_level],
                 20, what="the second profile's DPI level sent to the mouse")
        time.sleep(0.3)
        app.screenshot(shots / "en-notepad-in-front.png")
        app.settle()
        during = frames_count(app)
    finally:
        notepad.terminate()
        notepad.wait(20)
    # Its end with no window in front: the held process tells at once.
    app.wait_control(COMBO, lambda c: c.text == first, timeout=30,
                     what="the first profile back after notepad ended")
    wait_for(lambda: [f for f in frames_since(app, during, 0x02) if int(f[5], 16) == users_level],
             20, what="the first profile's DPI level sent again")
    assert app.running()


def battery_script(shots):
    return write_script(shots, "battery.txt", [
        "0 plug wired", "3000 battery wired 40 0", "5000 battery wired 19 0",
        "7000 battery wired 18 0", "30000 battery wired 4 0", "60000 battery wired 4 1"])


@pytest.mark.parametrize("language", ["EN", "CN"])
def test_battery_notice_and_games_dialog_in_both_languages(vantrel, shots, language):
    prefix = "en" if language == "EN" else "zh"
    if language == "CN":
        write_language(vantrel, "CN")
    app = vantrel.start(battery_script(shots), keep_data=language == "CN")
    app.wait_main_window(timeout=90)
    low = "Charge the mouse soon." if language == "EN" else "请尽快为鼠标充电。"
    now = "Charge the mouse now." if language == "EN" else "请立即为鼠标充电。"
    notice = wait_for(lambda: app.window(NOTICE, visible=True), 60, what="the battery notice")
    app.wait_control(NOTICE_LEVEL, lambda c: c.text in ("19%", "18%"), window=NOTICE)
    assert app.control(NOTICE_ADVICE, window=NOTICE).text == low
    # Bottom right, above the main window, which keeps the focus.
    size = xdotool("getdisplaygeometry", env=app.env).stdout.split()
    assert notice.x + notice.w == int(size[0])
    time.sleep(0.5)
    app.screenshot(shots / f"{prefix}-battery-low.png")

    # The games dialog of the first profile with two programs listed.
    settled_main = wait_for(lambda: app.control(FIRST_TAB).visible, 20)
    assert settled_main
    open_games(app, 0)
    for path in (NOTEPAD, r"C:\windows\regedit.exe"):
        add_program(app, shots, path, f"{prefix}-games-file-dialog.png")
    app.wait_control(FIRST_NAME + 1, lambda c: c.text.lower() == "regedit.exe", window=GAMES)
    time.sleep(0.5)
    app.screenshot(shots / f"{prefix}-games-dialog.png")
    app.click(FIRST_REMOVE, window=GAMES)
    app.wait_control(FIRST_NAME, lambda c: c.text.lower() == "regedit.exe", window=GAMES,
                     what="notepad removed")
    wait_for(lambda: profile_values(app, 0).get("GameFile0", "").lower() ==
             r"c:\windows\regedit.exe", 20, what="the removal saved")
    app.click(GAMES_OK, window=GAMES)

    app.wait_control(NOTICE_ADVICE, lambda c: c.text == now, window=NOTICE, timeout=60,
                     what="the last notice at 4 %")
    assert app.control(NOTICE_LEVEL, window=NOTICE).text == "4%"
    time.sleep(0.5)
    app.screenshot(shots / f"{prefix}-battery-critical.png")
    wait_for(lambda: not app.window(NOTICE, visible=True), 60, what="charging closes the notice")
    assert app.running()
