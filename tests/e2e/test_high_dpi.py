"""The program at 150 % and 200 % (Wine's LogPixels 144 and 192 in a prefix of its own): every
control of the main window and of the X/Y DPI dialog where it is at 96 DPI times the scale,
clicks still land (the dialog opens, its OK reaches the mouse), at 200 % the artwork is the 2x
set copied pixel for pixel, and screenshots of both windows in English and Chinese at 100, 150
and 200 %. And a change from 100 % to 200 % while the dialog is open: Wine never announces one,
so a small program sends WM_DPICHANGED as Windows would."""

import subprocess

import pytest

from conftest import EXE, wine_session
from vantrel_e2e import REPO, Vantrel, wait_for

NOTICE = REPO / "build" / "win" / "VantrelDpiNotice.exe"
WINDOW_CLASSES = {"main": "GamingMouse_QVR", "dialog": "VantrelSkinDialog"}

MOUSE_PICTURE = 3400  # the first control of that id is the mouse picture

XY_DIALOG = "CDPIValueSyncSettingDlg"
LEVEL1_VALUE, Y_EDIT, OK = 3300, 2028, 2010
SCALES = {96: 1.0, 144: 1.5, 192: 2.0}


@pytest.fixture(scope="module")
def dpi_env():
    """A display large enough for the window at 200 % and a prefix whose DPI the test sets."""
    yield from wine_session("high-dpi-prefix", screen="2400x1600x24", compositor=False)


def set_dpi(env, dpi):
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=env, check=True,
                   capture_output=True)


def write_language(app, code):
    config = app.data_file("config")
    config.mkdir(parents=True, exist_ok=True)
    text = "[ChangeLanguage]\nLanguage=" + code + "\n"
    (config / "LanSetting.ini").write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def relative(window):
    """Each control's (left, top, right, bottom) in the window's own pixels, by id and order."""
    seen = {}
    out = {}
    for c in window.controls:
        k = seen[c.id] = seen.get(c.id, -1) + 1
        out[(c.id, k)] = (c.x - window.x, c.y - window.y, c.x + c.w - window.x,
                          c.y + c.h - window.y)
    return out


def assert_scaled(base, scaled, scale, what):
    assert base.keys() == scaled.keys(), what
    wrong = [(key, b, scaled[key]) for key, b in base.items()
             if any(abs(v - e * scale) > 1 for v, e in zip(scaled[key], b))]
    assert not wrong, f"{what} at {scale}: {wrong[:5]} ({len(wrong)} of {len(base)})"


def crop(shot, window, path):
    subprocess.run(["convert", str(shot), "-crop", f"{window.w}x{window.h}+{window.x}+{window.y}",
                    "+repage", str(path)], check=True)


def rgba(*args):
    """Raw 8-bit RGBA bytes of what ImageMagick makes of `args`."""
    return subprocess.run(["convert", *args, "-depth", "8", "rgba:-"], check=True,
                          capture_output=True).stdout


def share_equal(picture, screen, width, covered=()):
    """The share of the picture's opaque pixels, outside the `covered` rectangles (left, top,
    right, bottom in the picture), that the screen shows within one step."""
    height = len(picture) // 4 // width
    skip = bytearray(width * height)
    for left, top, right, bottom in covered:
        for y in range(max(top, 0), min(bottom, height)):
            skip[y * width + max(left, 0):y * width + min(right, width)] = \
                b"\x01" * (min(right, width) - max(left, 0))
    seen = same = 0
    for p in range(width * height):
        i = 4 * p
        if skip[p] or picture[i + 3] != 255:
            continue
        seen += 1
        same += all(abs(picture[i + k] - screen[i + k]) <= 1 for k in range(3))
    return same / seen if seen else 0.0


def assert_drawn_from_2x_set(root, main, shots, language):
    """At 200 % the mouse picture on screen is the 2x set's picture copied pixel for pixel. The
    1x picture stretched to the same size would match in its smooth parts but not in its
    edges and details, and the measure is checked to tell the two apart."""
    picture = next(c for c in main.controls if c.id == MOUSE_PICTURE)
    size = f"{picture.w}x{picture.h}"
    # The number badges and whatever else is drawn over the picture.
    covered = [(c.x - picture.x, c.y - picture.y, c.x + c.w - picture.x, c.y + c.h - picture.y)
               for c in main.controls if c.visible and c is not picture
               and c.x < picture.x + picture.w and picture.x < c.x + c.w
               and c.y < picture.y + picture.h and picture.y < c.y + c.h]
    sharp = REPO / "skins" / "@200" / "mouse" / "mouse_nr.png"
    wanted = rgba(str(sharp))
    assert len(wanted) == picture.w * picture.h * 4, f"the picture's rectangle is {size}"
    on_screen = rgba(str(root), "-crop", f"{size}+{picture.x}+{picture.y}", "+repage")
    subprocess.run(["convert", str(root), "-crop", f"{size}+{picture.x}+{picture.y}", "+repage",
                    str(shots / f"mouse-{language}-192.png")], check=True)
    stretched = rgba(str(REPO / "skins" / "mouse" / "mouse_nr.png"), "-resize", size + "!")
    assert covered, "the number badges lie on the picture"
    assert share_equal(wanted, on_screen, picture.w, covered) > 0.995, \
        "the mouse picture is not the 2x set's"
    assert share_equal(wanted, stretched, picture.w, covered) < 0.99, \
        "the check cannot tell a stretched picture"


def type_y_and_confirm(app):
    """Types 2400 into the X/Y dialog's Y box and clicks OK. Returns the DPI packets sent."""
    sent = len(app.sent_commands())
    app.click(Y_EDIT, window=XY_DIALOG)
    app.key("ctrl+a")
    app.type_text("2400")
    app.wait_control(Y_EDIT, lambda c: c.text == "2400", window=XY_DIALOG,
                     what="the typed Y value")
    app.click(OK, window=XY_DIALOG)
    packets = wait_for(lambda: [f for f in app.sent_commands()[sent:] if int(f[1], 16) == 0x02],
                       20, what="the DPI packets of OK")
    assert app.running()
    return packets


def start_in(app, language):
    """Starts the program in English, or in Chinese from a fresh data folder."""
    if language == "zh":
        if app.data_dir.exists():
            subprocess.run(["rm", "-rf", str(app.data_dir)], check=True)
        write_language(app, "CN")
    app.start(keep_data=language == "zh")


def run_at(env, shots, dpi, language):
    """Starts the program, opens the X/Y dialog from the main page and confirms it. Returns
    the two windows as the dump shows them and the DPI packets the OK sent."""
    set_dpi(env, dpi)
    app = Vantrel(env, shots / f"{language}-{dpi}", EXE)
    try:
        start_in(app, language)
        main = app.wait_main_window()
        app.wait_control(LEVEL1_VALUE, lambda c: c.visible, what="the DPI level-1 value field")
        app.settle()
        main = app.window("CVantrelDlg", visible=True)
        root = app.screenshot(shots / f"root-{language}-{dpi}.png")
        crop(root, main, shots / f"main-{language}-{dpi}.png")
        if dpi == 192:
            assert_drawn_from_2x_set(root, main, shots, language)
        app.click(LEVEL1_VALUE)
        dialog = wait_for(lambda: app.window(XY_DIALOG, visible=True), 20,
                          what="the X/Y DPI dialog")
        wait_for(lambda: app.control(OK, XY_DIALOG), 10, what="the dialog's OK")
        dialog = app.window(XY_DIALOG, visible=True)
        root = app.screenshot(shots / f"root-{language}-{dpi}-dialog.png")
        crop(root, dialog, shots / f"dialog-{language}-{dpi}.png")
        # A changed value, so that OK has something to send.
        return main, dialog, type_y_and_confirm(app)
    finally:
        app.stop()
        subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=env, capture_output=True)


@pytest.mark.parametrize("language", ["en", "zh"])
def test_every_rectangle_follows_the_dpi(dpi_env, shots, language):
    main96, dialog96, _ = run_at(dpi_env, shots, 96, language)
    assert (main96.w, main96.h) == (1127, 740)
    for dpi in (144, 192):
        scale = SCALES[dpi]
        main, dialog, packets = run_at(dpi_env, shots, dpi, language)
        assert (main.w, main.h) == (int(1127 * scale), int(740 * scale))
        assert abs(dialog.w - dialog96.w * scale) <= 1 and abs(dialog.h - dialog96.h * scale) <= 1
        assert_scaled(relative(main96), relative(main), scale, "main window")
        assert_scaled(relative(dialog96), relative(dialog), scale, "X/Y DPI dialog")
        assert packets, "OK sent nothing"


@pytest.mark.parametrize("language,first", [("en", "dialog"), ("zh", "main")])
def test_an_open_dialog_follows_a_dpi_change(dpi_env, shots, language, first):
    """The X/Y dialog open at 96 DPI; the display goes to 192 (the main window told before or
    after the dialog): both windows follow at once, every rectangle twice its size within a
    pixel, and the dialog still works."""
    set_dpi(dpi_env, 96)
    app = Vantrel(dpi_env, shots / f"{language}-change", EXE)
    try:
        start_in(app, language)
        app.wait_main_window()
        app.wait_control(LEVEL1_VALUE, lambda c: c.visible, what="the DPI level-1 value field")
        app.settle()
        main96 = app.window("CVantrelDlg", visible=True)
        app.click(LEVEL1_VALUE)
        wait_for(lambda: app.control(OK, XY_DIALOG), 20, what="the X/Y DPI dialog")
        app.settle()
        dialog96 = app.window(XY_DIALOG, visible=True)
        crop(app.screenshot(shots / f"root-{language}-before.png"), dialog96,
             shots / f"dialog-{language}-before.png")

        order = [first, "dialog" if first == "main" else "main"]
        told = subprocess.run(["wine", str(NOTICE), "192"] + [WINDOW_CLASSES[w] for w in order],
                              env=app.env, capture_output=True, text=True, timeout=60)
        assert told.returncode == 0, told.stdout + told.stderr

        def doubled(cls, base):
            w = app.window(cls, visible=True)
            ok = w and abs(w.w - base.w * 2) <= 1 and abs(w.h - base.h * 2) <= 1 and \
                len(w.controls) == len(base.controls)
            return w if ok else None
        dialog = wait_for(lambda: doubled(XY_DIALOG, dialog96), 30, what="the dialog at 200 %")
        main = wait_for(lambda: doubled("CVantrelDlg", main96), 30, what="the main window at 200 %")
        app.settle()
        dialog = app.window(XY_DIALOG, visible=True)
        assert_scaled(relative(dialog96), relative(dialog), 2.0, "X/Y DPI dialog")
        assert_scaled(relative(main96), relative(main), 2.0, "main window")
        crop(app.screenshot(shots / f"root-{language}-after.png"), dialog,
             shots / f"dialog-{language}-after.png")

        # Clicks land where the controls now are: a typed Y value reaches the mouse.
        type_y_and_confirm(app)
    finally:
        app.stop()
        subprocess.run(["wineserver", "-k"], env=dpi_env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=dpi_env, capture_output=True)
