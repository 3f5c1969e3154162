"""How the windows line up under Wine, in English and Chinese: the page column (lighting 196
below DPI), every dialog's title in its title strip and its close cross 4 pixels from the top
right corner, both managers with their buttons in the frame's button row, the pairing window
saying what to do before Start, and menus as wide as the fields that open them. Each window is
also kept as a screenshot with its geometry."""

import subprocess
import time

import pytest

from vantrel_e2e import wait_for


def write_language(app, code):
    config = app.data_file("config")
    config.mkdir(parents=True, exist_ok=True)
    text = "[ChangeLanguage]\nLanguage=" + code + "\n"
    (config / "LanSetting.ini").write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def crop(app, w, path):
    subprocess.run(["import", "-window", "root", "-crop", f"{w.w}x{w.h}+{w.x}+{w.y}", "+repage",
                    str(path)], env=app.env, check=True)


def report(app, cls, out):
    w = app.window(cls, visible=True)
    out.write(f"== {cls} x={w.x} y={w.y} w={w.w} h={w.h}\n")
    for c in w.controls:
        out.write(f"  {c.id} {c.cls} rel=({c.x - w.x},{c.y - w.y},{c.x - w.x + c.w},"
                  f"{c.y - w.y + c.h}) vis={int(c.visible)} en={int(c.enabled)} text={c.text}\n")
    return w


def rel(w, control_id):
    c = next(c for c in w.controls if c.id == control_id)
    return (c.x - w.x, c.y - w.y, c.x - w.x + c.w, c.y - w.y + c.h)


def check_title_bar(w, title_id):
    if any(c.id == 2004 for c in w.controls):
        assert rel(w, 2004) == (w.w - 19, 4, w.w - 4, 19), w.cls
    left, top, _, bottom = rel(w, title_id)
    assert (left, top, bottom) == (21, 1, 29), w.cls


def open_and_shoot(app, shots, lang, opener, cls, out, close=2004, extra=None, title=2012):
    app.settle()
    opener()
    w = wait_for(lambda: app.window(cls, visible=True), 20, what=cls)
    time.sleep(1.0)
    w = report(app, cls, out)
    if title:
        check_title_bar(w, title)
    crop(app, w, shots / f"{lang}-{cls}.png")
    if extra:
        extra(w)
    if close:
        app.click(close, window=cls)
        wait_for(lambda: not app.window(cls, visible=True), 20, what=f"{cls} closed")


@pytest.mark.parametrize("lang", ["en", "zh"])
def test_windows_line_up(vantrel, shots, lang):
    if lang == "zh":
        write_language(vantrel, "CN")
    app = vantrel.start(keep_data=lang == "zh")
    app.wait_main_window()
    app.wait_control(3300, lambda c: c.visible)
    app.settle()
    out = open(shots / f"{lang}-report.txt", "w")
    main = report(app, "CVantrelDlg", out)
    app.screenshot(shots / f"{lang}-main.png")
    assert rel(main, 3001)[:2] == (846, 67)
    assert rel(main, 3002)[:2] == (846, 263)

    def in_button_row(w):
        for button in (2012, 2013):
            assert rel(w, button)[1:4:2] == (488, 514), (w.cls, button)
    open_and_shoot(app, shots, lang, lambda: app.click(2062), "CMacroManagerDlg", out,
                   extra=in_button_row, title=None)

    def bullet_menu(w):
        lst = app.wait_control(2015, window="CBulletManagerDlg")
        app.click_at(lst.x + 60, lst.y + 10, button=3)
        wait_for(lambda: app.window("CMacroListPopup", visible=True), 20, what="menu")
        time.sleep(0.5)
        report(app, "CMacroListPopup", out)
        assert [c.text for c in app.window("CMacroListPopup").controls][:1] != ["New macro"]
        app.screenshot(shots / f"{lang}-bullet-menu.png")
        app.key("Escape")
        app.click_at(w.x + 300, w.y + 10)
        time.sleep(0.5)
    def bullets(w):
        in_button_row(w)
        check_title_bar(w, 2040)
        bullet_menu(w)
    open_and_shoot(app, shots, lang, lambda: app.click(2063), "CBulletManagerDlg", out,
                   extra=bullets, title=None)
    open_and_shoot(app, shots, lang, lambda: app.click(2071), "CAddProfileDlg", out)
    open_and_shoot(app, shots, lang, lambda: app.click(3300), "CDPIValueSyncSettingDlg", out)
    open_and_shoot(app, shots, lang, lambda: app.click(3270), "CColorPaletteDlg", out, title=2001)

    app.click(3013)
    app.wait_control(2054, lambda c: c.visible)
    open_and_shoot(app, shots, lang, lambda: app.click(2054), "CParingDlg", out, close=2011,
                   extra=lambda w: (rel(w, 2013), next(c for c in w.controls if c.id == 2013).text)
                   [1] or pytest.fail("blank before Start"))
    # Popups opened by fields.
    for field in (2016, 3100):
        app.settle()
        app.click(field)
        time.sleep(1.5)
        f = app.control(field)
        for cls in ("CComboPopup", "CComboProfilePopup"):
            if app.window(cls, visible=True):
                assert report(app, cls, out).w >= f.w, cls
        out.write(f"field {field} x={f.x} w={f.w}\n")
        app.screenshot(shots / f"{lang}-popup-{field}.png")
        app.key("Escape")
        app.click_at(600, 50)
        time.sleep(1)
    for w in app.dump():
        if w.visible:
            out.write(f"visible {w.cls} {w.x} {w.y} {w.w} {w.h}\n")
    out.close()
