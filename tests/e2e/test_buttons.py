"""Button assignment under Wine: the function menu and a submenu, the shortcut editor with a
key caught by the keyboard hook, the rapid-fire editor; the key table in the simulated
mouse's log and the profile file afterwards."""

import time

from vantrel_e2e import wait_for, xdotool

MENU = "CComboPopup"


def open_menu(app, field):
    app.click(field)
    return wait_for(lambda: app.window(MENU, visible=True), 20, what="the function menu")


def choose(app, field, item):
    open_menu(app, field)
    app.click(item, window=MENU)
    wait_for(lambda: not app.window(MENU, visible=True), 20, what="the menu to close")


def key_tables(app):
    """Key-table frames (command 1) the mouse acknowledged, as byte lists."""
    return [[int(b, 16) for b in f] for f in app.sent_commands() if len(f) > 1 and f[1] == "01"]


def holds(frame, code):
    return any(frame[i:i + len(code)] == code for i in range(len(frame) - len(code) + 1))


def test_submenu_shortcut_and_rapid_fire_reach_the_mouse_and_the_profile(vantrel, shots):
    app = vantrel.start()
    app.wait_main_window()
    field = app.wait_control(2014, lambda c: c.visible and c.text, what="the button fields")
    assert app.control(2013).text == "Left click" and field.text == "Right click"
    app.screenshot(shots / "fields.png")

    # A DPI function from its submenu, on button 2.
    open_menu(app, 2014)
    menu = app.window(MENU)
    assert len(menu.controls) == 18
    app.hover(6, window=MENU)
    sub = wait_for(lambda: app.window("CDPIPopup", visible=True), 20, what="the DPI submenu")
    assert [c.text for c in sub.controls] == ["DPI up", "DPI down", "DPI cycle"]
    assert sub.x >= menu.x + menu.w or sub.x + sub.w <= menu.x
    time.sleep(0.3)
    app.screenshot(shots / "menu-dpi-submenu.png")
    app.click(1, window="CDPIPopup")
    app.wait_control(2014, lambda c: c.text == "DPI up", what="button 2 named DPI up")
    assert not app.window("CDPIPopup", visible=True)

    # Ctrl+Shift+K through the keyboard hook, on button 3.
    choose(app, 2015, 11)
    dlg = wait_for(lambda: app.window("CShortcutDlg", visible=True), 20,
                   what="the shortcut editor")
    app.click(2006, window="CShortcutDlg")  # Ctrl
    app.wait_control(2006, lambda c: c.checked, window="CShortcutDlg")
    app.click(2008, window="CShortcutDlg")  # Shift
    app.wait_control(2008, lambda c: c.checked, window="CShortcutDlg")
    xdotool("keydown", "ctrl", "keydown", "shift", "key", "k", "keyup", "shift", "keyup", "ctrl",
            env=app.env)
    app.wait_control(2012, lambda c: c.text == "K", window="CShortcutDlg",
                     what="the caught key K")
    time.sleep(0.3)
    app.screenshot(shots / "shortcut-editor.png")
    app.click(2010, window="CShortcutDlg")
    app.wait_control(2015, lambda c: c.text == "Ctrl+Shift+K", what="button 3 named Ctrl+Shift+K")
    assert dlg.w == 429 and dlg.h == 140

    # Rapid fire 120 and 7, on button 4.
    choose(app, 2016, 7)
    wait_for(lambda: app.window("CFireKeyDlg", visible=True), 20, what="the rapid-fire editor")
    for field_id, value in ((2015, "120"), (2016, "7")):
        app.click(field_id, window="CFireKeyDlg")
        app.key("ctrl+a")
        app.type_text(value)
        app.wait_control(field_id, lambda c, v=value: c.text == v, window="CFireKeyDlg",
                         what=f"{value} typed")
    assert not app.control(2011, window="CFireKeyDlg").visible  # no cancel button
    time.sleep(0.3)
    app.screenshot(shots / "rapid-fire-editor.png")
    app.click(2010, window="CFireKeyDlg")
    app.wait_control(2016, lambda c: c.text == "Rapid fire", what="button 4 named Rapid fire")

    # The last key table carries all three codes.
    expected = ([0x40, 0x02, 0x00], [0x70, 0x03, 0x0E], [0x30, 120, 7])
    wait_for(lambda: key_tables(app) and all(holds(key_tables(app)[-1], c) for c in expected),
             20, what="a key table with the three codes in the simulated mouse's log")
    assert len(key_tables(app)) <= 3
    app.screenshot(shots / "assigned.png")

    # Ten seconds after the last write the profile file holds them too.
    def saved():
        try:
            text = app.read_utf16("config\\default0.psf")
        except FileNotFoundError:
            return None
        keys = ("Key1Value=400200", "Key2Value=70030E", "Key3Value=307807",
                "Key2Name=Ctrl+Shift+K")
        return text if all(k in text for k in keys) else None
    wait_for(saved, 30, interval=0.5, what="the profile file with the three functions")
    assert app.running()


def test_launch_editor_and_the_left_button_guard(vantrel, shots):
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(2013, lambda c: c.visible and c.text == "Left click")

    choose(app, 2018, 17)
    wait_for(lambda: app.window("CQuickLaunchDlg", visible=True), 20, what="the launch editor")
    time.sleep(0.3)
    app.screenshot(shots / "launch-editor.png")
    app.click(2011, window="CQuickLaunchDlg")  # cancel: nothing changes
    wait_for(lambda: not app.window("CQuickLaunchDlg", visible=True), 20)
    assert app.control(2018).text == "DPI cycle"

    # The only left button cannot lose its function: the notice comes after the menu closed.
    choose(app, 2013, 2)
    box = wait_for(lambda: app.window("CAttentionDlg", visible=True), 20, what="the notice")
    assert any("left click" in c.text for c in box.controls)
    app.screenshot(shots / "left-button-guard.png")
    app.click(2010, window="CAttentionDlg")
    assert app.control(2013).text == "Left click"
