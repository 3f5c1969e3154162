"""Looks under Wine, in English and Chinese: what the macro recorder disables looks disabled
while it records (and as before once it stops), the pairing window after "Paired." offers only
its OK button, and the firmware window's lines start below its title strip. Screenshots of
each are kept."""

import subprocess
import time

import pytest

from test_managers_in_the_program import focus_window_under_pointer, name_entry
from test_window_looks import crop, rel, write_language
from vantrel_e2e import wait_for

MANAGER = "CMacroManagerDlg"
# Disabled while recording: New, a list, a scroll bar, the delays check box, the loop count,
# the close cross. The insert drop-down stays usable.
FADED = (2012, 2015, 2022, 2017, 2034, 2004)
KEPT = (2035,)


def differing_pixels(shots, first, second, rect):
    """How many pixels of `rect` (x0, y0, x1, y1 in the crops) differ between two crops."""
    x0, y0, x1, y1 = rect
    geometry = f"{x1 - x0}x{y1 - y0}+{x0}+{y0}"
    parts = []
    for n, shot in enumerate((first, second)):
        part = shots / f"part-{n}.png"
        subprocess.run(["convert", str(shot), "-crop", geometry, "+repage", str(part)],
                       check=True)
        parts.append(part)
    result = subprocess.run(["compare", "-metric", "AE", str(parts[0]), str(parts[1]), "null:"],
                            capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def open_page(app, tab):
    if not app.control(tab).checked:
        app.click(tab)
        app.wait_control(tab, lambda c: c.checked, what=f"tab {tab} open")


@pytest.mark.parametrize("lang", ["en", "zh"])
def test_disabled_controls_pairing_and_firmware_windows(vantrel, shots, lang):
    if lang == "zh":
        write_language(vantrel, "CN")
    script = shots / "two-modes.txt"
    script.write_text("0 plug wired\n0 plug wireless\n")
    app = vantrel.start(script, keep_data=lang == "zh")
    app.wait_main_window(timeout=150)
    app.wait_control(2016, lambda c: c.visible and c.text, what="the button fields")
    app.wait_control(3300, lambda c: c.visible, what="the DPI page")
    app.settle()
    # The DPI page's levels that are switched off, and nothing else, look disabled.
    app.screenshot(shots / f"{lang}-main.png")

    # The macro recorder.
    app.click(2062)
    wait_for(lambda: app.window(MANAGER, visible=True), 30, what="the macro manager")
    app.click(2012, window=MANAGER)
    # Its own name: the Chinese run keeps the English run's data folder.
    name_entry(app, "CMacroKeyOrFolderNameDlg", f"rec {lang}")
    record = app.hover(2018, window=MANAGER)
    time.sleep(1.0)
    w = app.window(MANAGER, visible=True)
    before = shots / f"{lang}-before-recording.png"
    crop(app, w, before)
    app.click(2018, window=MANAGER)
    app.wait_control(2018, lambda c: c.checked, window=MANAGER, what="recording on")
    app.wait_control(2012, lambda c: not c.enabled, window=MANAGER, what="New disabled")
    time.sleep(1.0)
    during = shots / f"{lang}-recording.png"
    crop(app, w, during)
    for control in FADED:
        assert differing_pixels(shots, before, during, rel(w, control)) > 20, control
    for control in KEPT:
        assert differing_pixels(shots, before, during, rel(w, control)) == 0, control
    focus_window_under_pointer(app)
    app.click_at(*record.centre)
    app.wait_control(2018, lambda c: not c.checked, window=MANAGER, what="recording off")
    app.wait_control(2012, lambda c: c.enabled, window=MANAGER, what="New enabled again")
    app.move_to(*record.centre)
    time.sleep(1.0)
    after = shots / f"{lang}-after-recording.png"
    crop(app, w, after)
    for control in FADED:
        assert differing_pixels(shots, before, after, rel(w, control)) == 0, control
    app.click(2004, window=MANAGER)
    wait_for(lambda: not app.window(MANAGER, visible=True), 20, what="the manager to close")

    # Pairing: once paired, nothing is left to start or to cancel.
    app.settle()
    open_page(app, 3013)
    app.click(2054)
    app.wait_control(2010, window="CParingDlg", what="the pairing window")
    cancel = app.control(2011, window="CParingDlg").text
    app.click(2010, window="CParingDlg")
    app.wait_control(2010, lambda c: not c.visible, window="CParingDlg", timeout=30,
                     what="Start gone after pairing")
    paired = app.wait_control(2011, lambda c: c.text != cancel, window="CParingDlg",
                              what="Cancel become OK")
    if lang == "en":
        assert app.control(2013, window="CParingDlg").text == "Paired."
        assert paired.text == "OK"
    time.sleep(1.0)
    crop(app, app.window("CParingDlg", visible=True), shots / f"{lang}-paired.png")
    app.click(2011, window="CParingDlg")
    wait_for(lambda: not app.window("CParingDlg"), timeout=20, what="the pairing window to close")

    # The firmware window: every line below the title strip.
    app.settle()
    open_page(app, 3015)
    app.click(2055)
    fw = wait_for(lambda: app.window("CCheckFWDlg", visible=True), 30, what="the firmware window")
    # Up to date: the check ends at once and the window may be closed.
    app.wait_control(3005, lambda c: c.text, window="CCheckFWDlg", timeout=120,
                     what="a status line")
    app.settle()
    for control in (3003, 3004, 3005, 3006, 3007):
        assert rel(fw, control)[1] >= 29, control
    time.sleep(1.0)
    crop(app, app.window("CCheckFWDlg", visible=True), shots / f"{lang}-firmware.png")
    app.click(2011, window="CCheckFWDlg")
    wait_for(lambda: not app.window("CCheckFWDlg"), timeout=20, what="the firmware window to close")
    assert app.running()
