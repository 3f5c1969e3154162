"""The settings pages under Wine: a polling dial, the DPI level-1 slider, the lighting effect
menu and the palette, each found through the control dump, each checked in the simulated
mouse's traffic log and in the profile file after the delayed save; screenshots of every
page in both languages."""

import re
import time

from vantrel_e2e import REPO, wait_for

DIALS = {3041: "250Hz", 3042: "1000Hz", 3043: "2000Hz", 3044: "4000Hz", 3045: "8000Hz"}
PAGE_TABS = [3001, 3002, 3004, 3011, 3003, 3012, 3014]
SAVE_DELAY = 10.0


def dial_region_centre(dial, index):
    """Centre of a dial's click region, from the artwork's own region file."""
    text = (REPO / "skins" / "dial_regions.txt").read_bytes().decode("utf-16")
    for line in text.splitlines():
        parts = line.split()
        if len(parts) > 3 and parts[0] == dial and parts[1] == str(index):
            points = [tuple(map(int, p.split(","))) for p in parts[2:]]
            return (sum(p[0] for p in points) // len(points),
                    sum(p[1] for p in points) // len(points))
    raise AssertionError(f"no region {index} of {dial}")


def commands(app, code):
    """Acknowledged report-6 frames of one command: lists of hex byte strings."""
    return [f for f in app.sent_commands() if int(f[1], 16) == code]


def wait_commands(app, code, count=1, what=None):
    return wait_for(lambda: (lambda f: f if len(f) >= count else None)(commands(app, code)),
                    timeout=20, what=what or f"command {code:#04x} in the traffic log")


def profile_value(app, key):
    text = app.read_utf16("config\\default0.psf")
    m = re.search(r"^\s*" + re.escape(key) + r"=(.*)$", text, re.M)
    return m.group(1) if m else None


# Tabs move up as others close, so two clicks may land on one spot: apart by more than the
# double-click time, or the second would be a double click.
CLICK_APART = 0.6


def click_tab(app, tab):
    """Clicks a tab after the pointer has moved onto it: a window only learns which control is
    under a resting pointer when the pointer moves, and the tabs move under it."""
    time.sleep(CLICK_APART)
    c = app.control(tab)
    app.click_at(c.x - 40, c.y + c.h // 2)  # beside the column: nothing there
    time.sleep(CLICK_APART)
    app.click(tab)


def open_only(app, tab):
    """Opens `tab` (its chain closes one other page) and waits for it in the dump."""
    if not app.control(tab).checked:
        click_tab(app, tab)
        app.wait_control(tab, lambda c: c.checked, what=f"tab {tab} open")


def close_tab(app, tab):
    if app.control(tab).checked:
        click_tab(app, tab)
        app.wait_control(tab, lambda c: not c.checked, what=f"tab {tab} closed")


def test_pages_reach_the_mouse_and_the_profile_file(vantrel, shots):
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(3280, lambda c: c.visible, what="the DPI level-1 slider")
    time.sleep(1.5)  # the start-up write (the lighting packet) settles
    app.screenshot(shots / "start.png")

    # DPI level 1: drag its slider from the bottom to near the top; one pair of DPI packets.
    before = len(commands(app, 0x02))
    bar = app.control(3280)
    x = bar.x + bar.w // 2
    app.drag((x, bar.y + bar.h - 3), (x, bar.y + 25), steps=10)
    dpi = wait_commands(app, 0x02, before + 2, "the two DPI packets")[before:]
    assert [f[3] for f in dpi] == ["02", "12"]  # X codes, then Y codes
    level1_x = int(dpi[0][8], 16) << 8 | int(dpi[0][7], 16)
    assert level1_x > 300, dpi[0]
    assert app.control(3290).text != "400"

    # The level's colour from the palette: the white swatch, then OK.
    app.click(3270)
    palette = wait_for(lambda: app.window("CColorPaletteDlg", visible=True), 20,
                       what="the colour palette")
    app.screenshot(shots / "palette.png")
    app.click_at(palette.x + 256, palette.y + 38)
    app.wait_control(2011, lambda c: c.text == "255", window="CColorPaletteDlg",
                     what="the picked colour's red value")
    app.click(2010, window="CColorPaletteDlg")
    colours = wait_commands(app, 0x03, 1, "the DPI colour packet")
    assert colours[-1][5:8] == ["FF", "FF", "FF"]

    # The lighting effect through its menu: "Steady" (effect 3).
    app.click(3120)
    menu = wait_for(lambda: app.window("CComboLightingPopup", visible=True), 20,
                    what="the effect menu")
    time.sleep(0.5)
    app.screenshot(shots / "effect-menu.png")
    app.click_at(menu.x + menu.w // 2, menu.y + 3 + 22 + 11)  # the second row
    lighting = wait_for(lambda: [f for f in commands(app, 0x06) if f[6] == "03"], 20,
                        what="the lighting packet of effect 3")
    assert lighting[-1][7] == "42"  # (brightness 3 + 1) << 4 | (speed 1 + 1), the defaults
    app.wait_control(3220, lambda c: c.visible, what="the brightness slider of effect 3")

    # A polling dial: the second area of whichever dial the mouse's class enables (250 Hz).
    open_only(app, 3004)
    dial = wait_for(lambda: next((app.control(i) for i in DIALS
                                  if app.control(i).visible and app.control(i).enabled), None),
                    20, what="the enabled polling dial")
    cx, cy = dial_region_centre(DIALS[dial.id], 1)
    before = len(commands(app, 0x04))
    app.click_at(dial.x + cx, dial.y + cy)
    polling = wait_commands(app, 0x04, before + 1, "the polling packet")
    assert polling[-1][5] == "04"  # 250 Hz
    app.screenshot(shots / "polling.png")

    # Ten seconds after the last write the profile file holds all of it.
    time.sleep(SAVE_DELAY + 2)
    assert profile_value(app, "PollingRateName") == "250HZ"
    assert profile_value(app, "PollingRateValue") == "010000"
    assert profile_value(app, "Lighting1ModeValue") == "030000"
    assert profile_value(app, "XYSetting1ValueX") == f"{level1_x:04X}"
    assert profile_value(app, "DPILevelIndication0Valuer") == "FFFFFF"
    assert app.running()


def write_language(app, code):
    config = app.data_file("config")
    config.mkdir(parents=True, exist_ok=True)
    text = "[ChangeLanguage]\nLanguage=" + code + "\n"
    (config / "LanSetting.ini").write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


def shoot_every_page(app, shots, language):
    app.wait_main_window()
    app.wait_control(3001, lambda c: c.checked, what="the start pages")
    time.sleep(1.5)
    app.screenshot(shots / f"{language}-dpi-lighting.png")
    # Two pages at a time, each once: the tab rule keeps the first page of the chain open.
    for first, second in [(3004, 3011), (3003, 3012), (3014, None)]:
        for tab in PAGE_TABS:
            close_tab(app, tab)
        open_only(app, first)
        if second:
            open_only(app, second)
        time.sleep(1)
        names = "-".join(str(t) for t in (first, second) if t)
        app.screenshot(shots / f"{language}-{names}.png")
    assert app.running()


def test_screenshots_of_every_page_in_english(vantrel, shots):
    app = vantrel.start()
    shoot_every_page(app, shots, "en")


def test_screenshots_of_every_page_in_chinese(vantrel, shots):
    write_language(vantrel, "CN")
    app = vantrel.start(keep_data=True)
    shoot_every_page(app, shots, "zh")
