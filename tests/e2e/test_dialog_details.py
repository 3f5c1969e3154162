"""Dialogs of the real program under Wine: the X/Y DPI dialog sends what is typed into its Y
box, a dialog that keeps Escape to itself still ends with the program (tray "exit"), and a
menu closes when the user clicks elsewhere. Screenshots in English and Chinese."""

import time

import pytest

from vantrel_e2e import wait_for, xdotool

XY_DIALOG = "CDPIValueSyncSettingDlg"
Y_EDIT, OK = 2028, 2010
LEVEL1_VALUE = 3300


def write_language(app, code):
    config = app.data_file("config")
    config.mkdir(parents=True, exist_ok=True)
    text = "[ChangeLanguage]\nLanguage=" + code + "\n"
    (config / "LanSetting.ini").write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def start(vantrel, language):
    if language == "zh":
        write_language(vantrel, "CN")
    app = vantrel.start(keep_data=language == "zh")
    app.wait_main_window()
    app.wait_control(LEVEL1_VALUE, lambda c: c.visible, what="the DPI level-1 value field")
    app.settle()
    return app


def dpi_packets(app):
    return [f for f in app.sent_commands() if int(f[1], 16) == 0x02]


@pytest.mark.parametrize("language", ["en", "zh"])
def test_a_dpi_typed_into_y_reaches_the_mouse(vantrel, shots, language):
    app = start(vantrel, language)
    before = len(dpi_packets(app))
    app.click(LEVEL1_VALUE)
    wait_for(lambda: app.window(XY_DIALOG, visible=True), 20, what="the X/Y DPI dialog")
    x_text = app.wait_control(2023, window=XY_DIALOG).text
    # Into the Y box only: a click gives it the focus, Ctrl+A replaces what it holds.
    app.click(Y_EDIT, window=XY_DIALOG)
    app.key("ctrl+a")
    app.type_text("2400")
    app.wait_control(Y_EDIT, lambda c: c.text == "2400", window=XY_DIALOG,
                     what="the typed Y value")
    time.sleep(0.5)
    app.screenshot(shots / f"{language}-xy-dialog.png")
    app.click(OK, window=XY_DIALOG)
    sent = wait_for(lambda: (lambda p: p if len(p) >= before + 2 else None)(dpi_packets(app)),
                    20, what="the two DPI packets")[before:]
    assert [f[3] for f in sent[:2]] == ["02", "12"]  # X codes, then Y codes
    # Level 1's Y code: index 47 of the 50-DPI steps is 2400 DPI.
    assert int(sent[1][8], 16) << 8 | int(sent[1][7], 16) == 47, sent[1]
    # X was not typed into: unchanged.
    assert app.control(3290).text == x_text
    assert not app.window(XY_DIALOG, visible=True)


def tray_exit(app):
    """Right click on the program's icon in Wine's tray window, then the menu's last item."""
    env = app.env
    tray = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "^Wine System Tray$",
                                    env=env).stdout.split(), 20, what="the tray window")[0]
    g = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", tray,
                                                   env=env).stdout.split())
    icon = (int(g["X"]) + 12, int(g["Y"]) + int(g["HEIGHT"]) - 12)

    def menu():
        for w in xdotool("search", "--onlyvisible", "--name", "^$", env=env).stdout.split():
            m = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", w,
                                                           env=env).stdout.split())
            # The icon's tooltip is nameless and small too, but only two or three lines high.
            if int(m["WIDTH"]) < 400 and int(m["HEIGHT"]) >= 55:
                return m
        return None

    found = None
    for _ in range(10):
        app.move_to(*icon)
        time.sleep(0.3)
        xdotool("click", 3, env=env)
        try:
            found = wait_for(menu, 3, what="the tray menu")
            break
        except AssertionError:
            continue
    assert found, "the tray menu did not open"
    app.click_at(int(found["X"]) + int(found["WIDTH"]) // 2,
                 int(found["Y"]) + int(found["HEIGHT"]) - 10)


def test_tray_exit_ends_the_program_over_a_dialog_that_keeps_escape(vantrel, shots):
    app = start(vantrel, "en")
    app.click(2071)  # add profile: the name dialog, which ignores Escape
    dialog = wait_for(lambda: app.window("CAddProfileDlg", visible=True), 20,
                      what="the add-profile dialog")
    app.click_at(dialog.x + dialog.w // 2, dialog.y + 8)  # its title: the focus, nothing else
    app.key("Escape")
    time.sleep(1)
    assert app.window("CAddProfileDlg", visible=True), "Escape must not close it"
    app.screenshot(shots / "add-dialog-open.png")
    tray_exit(app)
    wait_for(lambda: not app.running(), 30, what="the program to end")
