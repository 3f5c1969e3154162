"""Profiles under Wine: a profile added with a pasted non-ASCII name, renamed with a typed one,
switched to (its packets in the simulated mouse's log), exported through the real save
dialog, deleted, and imported back through the real open dialog; config.ini and the .psf
files in the data folder checked against the page after every step; screenshots of the bar,
its menus and dialogs in English and Chinese."""

import re
import shutil
import subprocess
import time

import pytest

from vantrel_e2e import wait_for, winepath, xdotool

FIRST_TAB = 2049
ADD, RENAME, EXPORT, IMPORT = 2071, 2068, 2069, 2070
COMBO, LIST_BUTTON, EFFECT = 3100, 3502, 3120
NAME_DLG_OK, NAME_EDIT = 2010, 2011
SLOT_MENU, HEADER_MENU = "CProfileRKeyPopup", "CComboProfilePopup"
IMPORT_ROW, EXPORT_ROW, RENAME_ROW, DELETE_ROW = 0, 1, 2, 3
DPI_LEVEL_3 = 3292

ADDED_NAME = "Ñandú 鼠标 𝄞"  # capitals, CJK and a surrogate pair: pasted
RENAMED = "Zoë 配置 ñu"  # typed key by key


@pytest.fixture
def cjk_fallback(wine_env):
    """Windows draws Chinese in a Latin face through its font links; the prefix has none, so
    Tahoma is linked to the Chinese face copied into it."""
    subprocess.run(["wine", "reg", "add",
                    r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink",
                    "/v", "Tahoma", "/t", "REG_MULTI_SZ", "/d",
                    "wqy-microhei.ttc,WenQuanYi Micro Hei", "/f"],
                   env=wine_env, capture_output=True, check=True)


# --- what the page shows, what the data folder holds ---

def shown_tabs(app):
    """The visible slot tabs top to bottom: (slot, name)."""
    tabs = [app.control(FIRST_TAB + slot) for slot in range(5)]
    tabs = sorted((t for t in tabs if t and t.visible), key=lambda t: t.y)
    return [(t.id - FIRST_TAB, t.text) for t in tabs]


def tab_of(app, name):
    return next(app.control(FIRST_TAB + s) for s, n in shown_tabs(app) if n == name)


def ini_values(text):
    return dict(re.findall(r"^\s*([^=\n]+)=(.*)$", text, re.M))


def config(app):
    return ini_values(app.read_utf16("config\\config.ini"))


def profile_file(app, slot):
    return app.data_file(f"config\\default{slot}.psf")


def profile_values(app, slot):
    return ini_values(app.read_utf16(f"config\\default{slot}.psf"))


def check_files_match_the_page(app):
    """config.ini lists the shown slots in the page's order, each slot's file its tab's name."""
    tabs = shown_tabs(app)
    values = config(app)
    assert int(values["ProfileShowCount"]) == len(tabs)
    assert [int(values[f"ProfileShowList{i}"]) for i in range(len(tabs))] == [s for s, _ in tabs]
    for slot, name in tabs:
        assert values[f"ProfileSlot{slot}URL"].endswith(f"\\config\\default{slot}.psf")
        assert profile_values(app, slot)["ProfileName"] == name, slot
    current = int(values["CurrentProfile"])
    assert app.control(COMBO).text == profile_values(app, current)["ProfileName"]
    # The rows stack without overlapping, and the add button comes after the last one.
    rows = [app.control(FIRST_TAB + s) for s, _ in tabs] + [app.control(ADD)]
    for upper, lower in zip(rows, rows[1:]):
        assert upper.y + upper.h <= lower.y, (upper, lower)


def wait_saved(app, check, what):
    def ok():
        try:
            check_files_match_the_page(app)
            return check()
        except (AssertionError, FileNotFoundError, KeyError, UnicodeDecodeError):
            return False
    wait_for(ok, 20, interval=0.3, what=what)
    check_files_match_the_page(app)


# --- the simulated mouse ---

def frames_since(app, start, code):
    return [f for f in app.sent_commands()[start:] if int(f[1], 16) == code]


def wait_frames(app, start, code, count, what):
    return wait_for(lambda: (lambda f: f if len(f) >= count else None)(
        frames_since(app, start, code)), 20, what=what)


def settled(app):
    """No dialog, menu or progress window left over the main window."""
    wait_for(lambda: [w.cls for w in app.dump() if w.visible] == ["CVantrelDlg"], 20,
             what="only the main window")


# --- input ---

class Clipboard:
    """The X clipboard holding `text` while xclip runs in the foreground."""

    def __init__(self, app, text):
        self.proc = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                     env=app.env, stdin=subprocess.PIPE,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.proc.stdin.write(text.encode("utf-8"))
        self.proc.stdin.close()
        time.sleep(0.3)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.proc.terminate()
        self.proc.wait(10)


def type_slowly(app, text, field, window):
    """Types `text` into a focused entry one key at a time. xdotool types a character that is
    not on the keyboard by remapping a spare key for a moment, and Wine now and then reads the
    key before it has learnt the new map: that character never arrives (or arrives as the
    previous one). Each character is therefore checked in the dump and typed again if so."""
    typed = app.control(field, window).text
    for ch in text:
        want = typed + ch
        for _ in range(4):
            xdotool("type", "--delay", 80, ch, env=app.env)
            try:
                app.wait_control(field, lambda c: c.text != typed, window, timeout=3)
            except AssertionError:
                continue  # never arrived
            if app.control(field, window).text == want:
                break
            app.key("BackSpace")  # arrived as something else
            app.wait_control(field, lambda c: c.text == typed, window, timeout=5,
                             what="the wrong character taken back")
        assert app.control(field, window).text == want
        typed = want


def open_menu(app, anchor, button, cls):
    app.click(anchor, button=button)
    return wait_for(lambda: app.window(cls, visible=True), 20, what=f"the menu {cls}")


def choose_row(app, cls, value):
    app.click(value, window=cls)
    wait_for(lambda: not app.window(cls, visible=True), 20, what=f"the menu {cls} to close")


def name_dialog(app, cls):
    return wait_for(lambda: app.window(cls, visible=True), 20, what=f"the dialog {cls}")


def file_dialog(app, title):
    """Focuses the common file dialog's X window (its file-name field has the focus)."""
    found = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", f"^{title}$",
                                     env=app.env).stdout.split(), 30, what=f"the '{title}' dialog")
    xdotool("windowfocus", "--sync", found[0], env=app.env)
    return found[0]


def enter_path(app, path, shot):
    """Pastes a path into the focused file-name field and confirms."""
    with Clipboard(app, winepath(path, app.env)):
        app.key("ctrl+a")
        app.key("ctrl+v")
        time.sleep(0.5)
        app.screenshot(shot)
    app.key("Return")
    wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", "^Export profile$|"
                                 "^Import profile$", env=app.env).stdout.split(),
             20, what="the file dialog to close")


# --- the test ---

def test_add_rename_switch_export_delete_import_through_the_page(vantrel, shots, cjk_fallback):
    exported = shots / "导出 Ñandú.psf"
    exported.unlink(missing_ok=True)
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(FIRST_TAB + 2, lambda c: c.visible, what="the profile rows")
    settled(app)
    assert shown_tabs(app) == [(0, "Profile 1"), (1, "Profile 2"), (2, "Profile 3")]
    wait_saved(app, lambda: True, "the first start's files")
    app.screenshot(shots / "en-start.png")

    # Profile 1 on DPI level 3, so that the switches below have something to send.
    start = len(app.sent_commands())
    app.click(DPI_LEVEL_3)
    wait_frames(app, start, 0x02, 2, "profile 1's DPI packets")
    settled(app)

    # Add: an empty name is refused with the dialog kept open, then a pasted one is taken.
    app.click(ADD)
    dlg = name_dialog(app, "CAddProfileDlg")
    app.click(NAME_DLG_OK, window="CAddProfileDlg")
    box = wait_for(lambda: app.window("CAttentionDlg", visible=True), 20,
                   what="the empty-name message")
    assert [c.text for c in box.controls if c.text == "Please enter a name."]
    app.click(NAME_DLG_OK, window="CAttentionDlg")
    wait_for(lambda: not app.window("CAttentionDlg", visible=True), 20)
    assert app.window("CAddProfileDlg", visible=True)
    app.click(NAME_EDIT, window="CAddProfileDlg")
    with Clipboard(app, ADDED_NAME):
        app.key("ctrl+v")
        app.wait_control(NAME_EDIT, lambda c: c.text == ADDED_NAME, window="CAddProfileDlg",
                         what="the pasted name")
    time.sleep(0.3)
    app.screenshot(shots / "en-add-dialog.png")
    assert (dlg.w, dlg.h) == (319, 140)
    app.key("Return")
    app.wait_control(FIRST_TAB + 3, lambda c: c.visible and c.text == ADDED_NAME,
                     what="the new profile's row")
    wait_saved(app, lambda: profile_values(app, 3)["ProfileName"] == ADDED_NAME,
               "the new profile in config.ini and default3.psf")
    assert shown_tabs(app)[-1] == (3, ADDED_NAME)
    assert app.control(COMBO).text == "Profile 1"  # adding does not switch
    assert config(app)["CurrentProfile"] == "0"

    # Rename through the slot's menu, the new name typed over the selected old one.
    open_menu(app, FIRST_TAB + 3, 3, SLOT_MENU)
    menu = app.window(SLOT_MENU)
    assert [c.text for c in menu.controls] == ["Import", "Export", "Rename", "Delete", "Games..."]
    time.sleep(0.3)
    app.screenshot(shots / "en-slot-menu.png")
    choose_row(app, SLOT_MENU, RENAME_ROW)
    name_dialog(app, "CEditProfileDlg")
    app.wait_control(NAME_EDIT, lambda c: c.text == ADDED_NAME, window="CEditProfileDlg")
    app.key("BackSpace")  # the whole old name is selected when the dialog opens
    app.wait_control(NAME_EDIT, lambda c: c.text == "", window="CEditProfileDlg")
    type_slowly(app, RENAMED, NAME_EDIT, "CEditProfileDlg")
    time.sleep(0.3)
    app.screenshot(shots / "en-rename-dialog.png")
    app.key("Return")
    app.wait_control(FIRST_TAB + 3, lambda c: c.text == RENAMED, what="the renamed row")
    wait_saved(app, lambda: profile_values(app, 3)["ProfileName"] == RENAMED,
               "the new name in default3.psf")

    # Switch by its tab: the mouse gets the new profile's DPI group (its own level) at once.
    start = len(app.sent_commands())
    app.click(FIRST_TAB + 3)
    app.wait_control(COMBO, lambda c: c.text == RENAMED, what="the header naming the profile")
    dpi = wait_frames(app, start, 0x02, 2, "the new profile's DPI packets")
    level = int(profile_values(app, 3)["CurrentDPILevelValue"], 16)
    assert [(f[3], int(f[5], 16)) for f in dpi] == [("02", level), ("12", level)]
    assert level != 2
    settled(app)

    # Steady lighting on it, then exported through the save dialog to a non-ASCII name.
    start = len(app.sent_commands())
    app.click(EFFECT)
    effects = wait_for(lambda: app.window("CComboLightingPopup", visible=True), 20)
    app.click_at(effects.x + effects.w // 2, effects.y + 3 + 22 + 11)  # the second row
    wait_for(lambda: [f for f in frames_since(app, start, 0x06) if f[6] == "03"], 20,
             what="the steady lighting packet")
    settled(app)
    app.click(EXPORT)
    file_dialog(app, "Export profile")
    time.sleep(0.5)
    app.screenshot(shots / "en-save-dialog.png")
    enter_path(app, exported, shots / "en-save-dialog-path.png")
    wait_for(lambda: exported.exists() and exported.stat().st_size > 0, 20,
             what="the exported file")
    text = exported.read_bytes().decode("utf-16")
    values = ini_values(text)
    assert values["ProfileName"] == RENAMED
    assert values["Lighting1ModeValue"] == "030000"  # what the page showed, not the old file
    assert len(text.splitlines()) == 110

    # Back to profile 1 by its tab: its own level goes to the mouse, the page follows.
    start = len(app.sent_commands())
    app.click(FIRST_TAB)
    app.wait_control(COMBO, lambda c: c.text == "Profile 1")
    dpi = wait_frames(app, start, 0x02, 2, "profile 1's DPI packets again")
    assert [int(f[5], 16) for f in dpi] == [2, 2]
    app.wait_control(EFFECT, lambda c: c.text == "Off", what="profile 1's lighting shown")
    settled(app)

    # Delete it: hidden from the page; the slot keeps its data, so its file is the export.
    open_menu(app, FIRST_TAB + 3, 3, SLOT_MENU)
    choose_row(app, SLOT_MENU, DELETE_ROW)
    app.wait_control(FIRST_TAB + 3, lambda c: not c.visible, what="the row to go")
    wait_saved(app, lambda: config(app)["ProfileShowList4"] == "3", "the slot moved to the end")
    assert [config(app)[f"ProfileShowList{i}"] for i in range(5)] == ["0", "1", "2", "4", "3"]
    assert profile_file(app, 3).read_bytes() == exported.read_bytes()
    # The active profile cannot be deleted.
    open_menu(app, FIRST_TAB, 3, SLOT_MENU)
    choose_row(app, SLOT_MENU, DELETE_ROW)
    box = wait_for(lambda: app.window("CAttentionDlg", visible=True), 20,
                   what="the refusal to delete the active profile")
    assert [c for c in box.controls if c.text == "The active profile cannot be deleted."]
    app.screenshot(shots / "en-delete-refused.png")
    app.click(NAME_DLG_OK, window="CAttentionDlg")
    settled(app)
    assert shown_tabs(app)[0] == (0, "Profile 1")

    # A damaged file imported into the active profile is refused and changes nothing.
    damaged = shots / "damaged.psf"
    damaged.write_bytes(b"\xff\xfe" + "[Setting]\nProfileName=half a fi".encode("utf-16-le"))
    before = profile_file(app, 0).read_bytes()
    app.click(IMPORT)
    file_dialog(app, "Import profile")
    enter_path(app, damaged, shots / "en-open-damaged.png")
    box = wait_for(lambda: app.window("CAttentionDlg", visible=True), 20,
                   what="the message about the damaged file")
    assert [c for c in box.controls
            if c.text == "This is not a valid profile file; nothing was imported."]
    app.click(NAME_DLG_OK, window="CAttentionDlg")
    settled(app)
    assert profile_file(app, 0).read_bytes() == before
    assert shown_tabs(app)[0] == (0, "Profile 1") and app.control(COMBO).text == "Profile 1"

    # Import it back: a new row (the first hidden slot, 4) filled from the exported file.
    app.click(ADD)
    name_dialog(app, "CAddProfileDlg")
    type_slowly(app, "tmp", NAME_EDIT, "CAddProfileDlg")
    app.key("Return")
    app.wait_control(FIRST_TAB + 4, lambda c: c.visible and c.text == "tmp")
    open_menu(app, FIRST_TAB + 4, 3, SLOT_MENU)
    choose_row(app, SLOT_MENU, IMPORT_ROW)
    file_dialog(app, "Import profile")
    enter_path(app, exported, shots / "en-open-dialog-path.png")
    app.wait_control(FIRST_TAB + 4, lambda c: c.text == RENAMED, what="the imported name")
    wait_saved(app, lambda: profile_file(app, 4).read_bytes() == exported.read_bytes(),
               "default4.psf byte-identical to the exported file")
    assert shown_tabs(app) == [(0, "Profile 1"), (1, "Profile 2"), (2, "Profile 3"),
                               (4, RENAMED)]

    # The header menu names the shown profiles in the page's order; its entry switches.
    open_menu(app, COMBO, 1, HEADER_MENU)
    rows = app.window(HEADER_MENU).controls
    assert [r.text for r in rows] == ["Profiles"] + [n for _, n in shown_tabs(app)] + ["New"]
    time.sleep(0.3)
    app.screenshot(shots / "en-header-menu.png")
    start = len(app.sent_commands())
    choose_row(app, HEADER_MENU, 3)
    app.wait_control(COMBO, lambda c: c.text == RENAMED, what="the imported profile active")
    wait_for(lambda: [f for f in frames_since(app, start, 0x06) if f[6] == "03"], 20,
             what="the imported profile's lighting packet")
    assert [int(f[5], 16) for f in wait_frames(app, start, 0x02, 2, "its DPI packets")] == \
        [level, level]
    app.wait_control(EFFECT, lambda c: c.text == "Steady", what="its lighting shown")
    settled(app)
    app.screenshot(shots / "en-imported-active.png")
    assert app.running()


def write_language(app, code):
    """A fresh data folder holding only the language choice."""
    shutil.rmtree(app.data_dir, ignore_errors=True)
    folder = app.data_file("config")
    folder.mkdir(parents=True, exist_ok=True)
    text = "[ChangeLanguage]\nLanguage=" + code + "\n"
    (folder / "LanSetting.ini").write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def test_profile_bar_menus_and_dialogs_in_chinese(vantrel, shots, cjk_fallback):
    write_language(vantrel, "CN")
    app = vantrel.start(keep_data=True)
    app.wait_main_window()
    app.wait_control(FIRST_TAB + 2, lambda c: c.visible, what="the profile rows")
    settled(app)
    captions = {i: app.control(i).text for i in (ADD, RENAME, EXPORT, IMPORT, LIST_BUTTON)}
    assert captions == {ADD: "新建", RENAME: "重命名", EXPORT: "导出", IMPORT: "导入",
                        LIST_BUTTON: "打开"}

    app.click(ADD)
    name_dialog(app, "CAddProfileDlg")
    assert app.control(2012, window="CAddProfileDlg").text == "新建"
    with Clipboard(app, "我的配置 Ñ"):
        app.key("ctrl+v")
        app.wait_control(NAME_EDIT, lambda c: c.text == "我的配置 Ñ", window="CAddProfileDlg",
                         what="the pasted name")
    time.sleep(0.3)
    app.screenshot(shots / "zh-add-dialog.png")
    app.key("Return")
    app.wait_control(FIRST_TAB + 3, lambda c: c.visible and c.text == "我的配置 Ñ")
    wait_saved(app, lambda: profile_values(app, 3)["ProfileName"] == "我的配置 Ñ",
               "the new profile in default3.psf")

    open_menu(app, FIRST_TAB + 3, 3, SLOT_MENU)
    assert [c.text for c in app.window(SLOT_MENU).controls] == \
        ["导入", "导出", "重命名", "删除", "游戏..."]
    time.sleep(0.3)
    app.screenshot(shots / "zh-slot-menu.png")
    app.key("Escape")
    wait_for(lambda: not app.window(SLOT_MENU, visible=True), 20)

    open_menu(app, LIST_BUTTON, 1, HEADER_MENU)
    rows = [c.text for c in app.window(HEADER_MENU).controls]
    assert rows == ["配置文件"] + [n for _, n in shown_tabs(app)] + ["新建"]
    time.sleep(0.3)
    app.screenshot(shots / "zh-header-menu.png")
    app.key("Escape")
    wait_for(lambda: not app.window(HEADER_MENU, visible=True), 20)

    open_menu(app, FIRST_TAB, 3, SLOT_MENU)
    choose_row(app, SLOT_MENU, DELETE_ROW)
    box = wait_for(lambda: app.window("CAttentionDlg", visible=True), 20,
                   what="the refusal to delete the active profile")
    assert [c for c in box.controls if c.text == "不能删除当前使用的配置。"]
    time.sleep(0.3)
    app.screenshot(shots / "zh-delete-refused.png")
    app.click(NAME_DLG_OK, window="CAttentionDlg")
    settled(app)
    assert app.running()
