"""The main window under Wine: the fixed area, the page tabs, the apply button and the
control dump."""

from vantrel_e2e import wait_for

TABS = [3001, 3002, 3003, 3004, 3011, 3012, 3013, 3014, 3015]


def checked_tabs(app):
    return {t for t in TABS if (c := app.control(t)) and c.checked}


def test_tabs_switch_pages_as_the_tab_rule_says(vantrel, shots):
    app = vantrel.start()
    main = app.wait_main_window()
    assert (main.w, main.h) == (1127, 740)
    app.wait_control(3001, lambda c: c.checked, what="the DPI tab open at start")
    assert checked_tabs(app) == {3001, 3002}
    app.screenshot(shots / "start.png")

    # Polling opens under DPI and lighting closes: the chain of 3004 keeps 3001.
    app.click(3004)
    app.wait_control(3002, lambda c: not c.checked, what="lighting closed")
    assert checked_tabs(app) == {3001, 3004}
    assert app.control(3004).y < app.control(3002).y
    app.screenshot(shots / "polling-open.png")

    # An open tab closes only its own page; the next page moves up.
    dpi_top = app.control(3001).y
    app.click(3001)
    app.wait_control(3001, lambda c: not c.checked, what="DPI closed")
    assert checked_tabs(app) == {3004}
    assert app.control(3004).y == dpi_top
    assert app.running()


def test_fixed_area_lies_inside_the_window_and_nothing_overlaps(vantrel, shots):
    app = vantrel.start()
    main = app.wait_main_window()
    app.wait_control(3406, what="the battery")
    inside = main.x, main.y, main.x + main.w, main.y + main.h
    shown = [c for c in app.window("CVantrelDlg").controls if c.visible]
    for c in shown:
        assert inside[0] <= c.x and c.x + c.w <= inside[2], c
        assert inside[1] <= c.y and c.y + c.h <= inside[3], c
    # The tabs stack down the page column without overlapping one another.
    tabs = sorted((app.control(t) for t in TABS), key=lambda c: c.y)
    for upper, lower in zip(tabs, tabs[1:]):
        assert upper.y + upper.h <= lower.y, (upper, lower)
    # The simulated mouse is on the cable: its status image shows, the others do not.
    app.wait_control(3409, lambda c: c.visible, what="the cable status image")
    assert not app.control(3410).visible and not app.control(3408).visible
    assert app.control(3405).text.endswith("%")
    app.screenshot(shots / "fixed-area.png")


def test_apply_writes_the_button_and_dpi_groups_at_once(vantrel, shots):
    """The apply button (2047) is the fixed area's own: it sends the button table and the
    DPI group now, never the power or sensor options."""
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(2047, lambda c: c.visible, what="the apply button")
    app.settle()
    before = len(app.sent_commands())
    app.click(2047)
    wait_for(lambda: len(app.sent_commands()) > before, timeout=20, what="the apply write")
    app.settle()
    codes = {int(f[1], 16) for f in app.sent_commands()[before:]}
    assert codes and not codes & {0x07, 0x08}, codes
    assert app.running()
    app.screenshot(shots / "after-apply.png")
