"""The macro and shooting-action managers opened from the program's own page buttons: a macro
recorded from keys typed into the focused manager and renamed with a non-ASCII name, a
shooting action named the same way; each is then chosen for button 4 through the function
menu and its select dialog, and must reach the simulated mouse (key table and macro data
packets) and the profile file."""

import re
import subprocess
import time

from vantrel_e2e import clipboard_owner, wait_for, xdotool

MENU = "CComboPopup"
FIELD_4 = 2016
MACRO_NAME = "Прыжок 跳"
BULLET_NAME = "Salve Zoë"
ROW_PAD, ROW = 3, 22  # menu popups: padding above the first row, row height
RENAME_ITEM = 4  # with a macro selected the library menu offers items 1..8


def frames(app, command):
    """Acknowledged report-6 frames of one command, as byte lists."""
    return [[int(b, 16) for b in f] for f in app.sent_commands()
            if len(f) > 1 and f[1] == f"{command:02X}"]


def hex_line(frame):
    return " ".join(f"{b:02X}" for b in frame)


def saved_key3(app, name):
    """Button 4's function bytes in the profile file once it names `name`, else None."""
    try:
        text = app.read_utf16("config\\default0.psf")
    except (FileNotFoundError, UnicodeError):
        return None
    if f"MacroKey3Name={name}" not in text:
        return None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("Key3Value="):
            return bytes.fromhex(line.split("=", 1)[1]), text
    return None


def assigned_everywhere(app, name, function_code):
    """Waits for the profile file, then for a key table carrying the same three bytes; returns
    the profile text and the macro data frames sent."""
    code, profile = wait_for(lambda: saved_key3(app, name), 40, interval=0.5,
                             what=f"the profile file naming {name} on button 4")
    assert code[0] == function_code, code.hex()
    wait_for(lambda: any(hex_line(code) in hex_line(f[5:]) for f in frames(app, 0x01)), 30,
             what=f"a key table with {code.hex()} in the simulated mouse's log")
    data = wait_for(lambda: frames(app, 0x10), 30, what="macro data packets")
    return profile, data


def focus_window_under_pointer(app):
    window = app.pointer()[2]
    if window:
        xdotool("windowfocus", "--sync", window, env=app.env)


def name_entry(app, dialog, text, paste=False):
    wait_for(lambda: app.window(dialog, visible=True), 20, what=dialog)
    time.sleep(0.5)
    if paste:
        owner = clipboard_owner(app.env, text, settle=0.5)
        app.key("ctrl+a", "ctrl+v")
        time.sleep(0.5)
        owner.terminate()
        owner.wait(10)
    else:
        app.key("ctrl+a")
        app.type_text(text)
    time.sleep(0.3)
    app.key("Return")
    wait_for(lambda: not app.window(dialog, visible=True), 20, what=f"{dialog} to close")


def rename_first_entry(app, manager, menu_class, dialog, name):
    """Renames the library list's first (selected) entry through its context menu, pasting
    `name`."""
    lst = app.wait_control(2015, window=manager)
    app.click_at(lst.x + 60, lst.y + 10, button=3)
    menu = wait_for(lambda: app.window(menu_class, visible=True), 20, what="the library menu")
    time.sleep(0.3)
    app.click_at(menu.x + 20, menu.y + ROW_PAD + RENAME_ITEM * ROW + ROW // 2)
    name_entry(app, dialog, name, paste=True)


def choose_for_button_4(app, item, select_dlg):
    app.settle()
    app.click(FIELD_4)
    wait_for(lambda: app.window(MENU, visible=True), 20, what="the function menu")
    app.click(item, window=MENU)
    wait_for(lambda: app.window(select_dlg, visible=True), 20, what=select_dlg)
    lst = app.wait_control(2015, lambda c: c.visible, window=select_dlg)
    time.sleep(0.3)
    app.click_at(lst.x + lst.w // 2, lst.y + 10)
    time.sleep(0.5)
    app.screenshot(app.workdir / f"{select_dlg}.png")
    app.click(2010, window=select_dlg)
    wait_for(lambda: not app.window(select_dlg, visible=True), 20, what=f"{select_dlg} to close")


def record_new_macro(vantrel, name, keys, delay):
    """Starts the program, opens the macro manager from its page button, adds a macro named
    by typing and records `keys` typed into the focused manager; the manager stays open."""
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(FIELD_4, lambda c: c.visible and c.text, what="the button fields")
    app.settle()
    app.click(2062)
    wait_for(lambda: app.window("CMacroManagerDlg", visible=True), 30, what="the macro manager")
    app.click(2012, window="CMacroManagerDlg")  # new macro, named by typing
    name_entry(app, "CMacroKeyOrFolderNameDlg", name)
    app.click(2018, window="CMacroManagerDlg")
    app.wait_control(2018, lambda c: c.checked, window="CMacroManagerDlg", what="recording on")
    focus_window_under_pointer(app)
    xdotool("type", "--delay", delay, keys, env=app.env)
    time.sleep(0.5)
    app.click(2018, window="CMacroManagerDlg")
    app.wait_control(2018, lambda c: not c.checked, window="CMacroManagerDlg",
                     what="recording off")
    return app


def test_macro_recorded_in_the_manager_reaches_button_4(vantrel, shots):
    app = record_new_macro(vantrel, "m1", "ab", delay=150)

    rename_first_entry(app, "CMacroManagerDlg", "CMacroListPopup", "CMacroKeyRenameDlg",
                       MACRO_NAME)
    time.sleep(0.5)
    app.screenshot(shots / "macro-manager.png")
    app.click(2004, window="CMacroManagerDlg")
    wait_for(lambda: not app.window("CMacroManagerDlg", visible=True), 20,
             what="the manager to close")

    choose_for_button_4(app, 9, "CMacroSelectDlg")
    app.wait_control(FIELD_4, lambda c: MACRO_NAME in c.text,
                     what="button 4 named after the macro")

    profile, data = assigned_everywhere(app, MACRO_NAME, 0x90)
    # A and B typed: key down, key up of usage 4 then of usage 5, with the recorded delays.
    assert re.search(r"30 .. 04 00 B0 .. 04 00 30 .. 05 00 B0 .. 05 00",
                     " ".join(hex_line(f) for f in data)), data
    assert "MacroActionNum=7" in profile  # four keys and the three delays between them
    library = (app.data_dir / "config" / "MacroLibraryFile.mlf").read_bytes().decode("utf-16")
    assert f"MacroItemName={MACRO_NAME}" in library
    app.screenshot(shots / "assigned.png")
    assert app.running()


def pixels(app, c):
    """Raw RGB pixels of a control's rectangle on screen."""
    return subprocess.run(["import", "-window", "root", "-crop", f"{c.w}x{c.h}+{c.x}+{c.y}",
                           "+repage", "rgb:-"], env=app.env, capture_output=True,
                          check=True).stdout


def test_the_wheel_scrolls_the_recorded_actions(vantrel, shots):
    """Twelve keys make 47 actions, more than the list shows, and recording leaves the list at
    its end: the wheel over the list moves it and its scroll bar up, and back down to the end."""
    app = record_new_macro(vantrel, "w", "abcdefghijkl", delay=120)

    actions = app.control(2020, window="CMacroManagerDlg")
    bar = app.control(2022, window="CMacroManagerDlg")
    assert bar.visible, "47 actions need the scroll bar"
    xdotool("mousemove", "--sync", actions.x + actions.w // 2, actions.y + actions.h - 5,
            env=app.env)
    time.sleep(0.5)
    end = (pixels(app, actions), pixels(app, bar))
    xdotool("click", "--repeat", 3, "--delay", 100, 4, env=app.env)
    time.sleep(0.8)
    app.screenshot(shots / "scrolled.png")
    scrolled = (pixels(app, actions), pixels(app, bar))
    assert scrolled[0] != end[0], "the list did not scroll up"
    assert scrolled[1] != end[1], "the scroll bar's thumb did not follow"
    xdotool("click", "--repeat", 6, "--delay", 100, 5, env=app.env)
    time.sleep(0.8)
    assert (pixels(app, actions), pixels(app, bar)) == end, "the list did not scroll back down"
    assert app.running()


def test_shooting_action_made_in_the_manager_reaches_button_4(vantrel, shots):
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(FIELD_4, lambda c: c.visible and c.text, what="the button fields")
    app.settle()
    app.click(2063)
    wait_for(lambda: app.window("CBulletManagerDlg", visible=True), 30,
             what="the shooting-action manager")

    app.click(2012, window="CBulletManagerDlg")
    name_entry(app, "CMacroKeyOrFolderNameDlg", "s1")
    rename_first_entry(app, "CBulletManagerDlg", "CMenuPopup", "CMacroKeyRenameDlg", BULLET_NAME)
    time.sleep(0.5)
    app.screenshot(shots / "bullet-manager.png")
    app.click(2004, window="CBulletManagerDlg")
    wait_for(lambda: not app.window("CBulletManagerDlg", visible=True), 20,
             what="the manager to close")

    choose_for_button_4(app, 10, "CBulletSelectDlg")
    app.wait_control(FIELD_4, lambda c: BULLET_NAME in c.text,
                     what="button 4 named after the shooting action")
    profile, data = assigned_everywhere(app, BULLET_NAME, 0x91)
    # The template's four bullets: each a 10 ms pause, then 2 counts down after 20 ms.
    assert "MacroActionNum=16" in profile.split(f"MacroKey3Name={BULLET_NAME}")[1][:40]
    assert " ".join(hex_line(f) for f in data).count("70 14 02 00") == 4, data
    library = (app.data_dir / "config" / "BulletLibraryFile.mlf").read_bytes().decode("utf-16")
    assert f"MacroItemName={BULLET_NAME}" in library
    app.screenshot(shots / "assigned.png")
    assert app.running()
