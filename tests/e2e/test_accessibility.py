"""The program as a screen reader and a keyboard user meet it under Wine: a reader in another
process (VantrelMsaaProbe.exe, on oleacc) lists the main window's controls and a dialog's with
their names, roles and states; Tab, Shift+Tab and Space work the window."""

import subprocess

from vantrel_e2e import REPO, wait_for

PROBE = REPO / "build" / "win" / "VantrelMsaaProbe.exe"

# Roles and states as the system's accessibility interface numbers them.
ROLE_CLIENT, ROLE_GRAPHIC, ROLE_STATICTEXT, ROLE_PAGETAB = 10, 40, 41, 37
ROLE_TEXT, ROLE_PUSHBUTTON, ROLE_CHECKBUTTON, ROLE_COMBOBOX = 42, 43, 44, 46
ROLE_PROGRESSBAR, ROLE_SLIDER, ROLE_RADIOBUTTON = 48, 51, 45
SELECTED, FOCUSED, CHECKED, UNAVAILABLE = 0x2, 0x4, 0x10, 0x1
INVISIBLE, FOCUSABLE = 0x8000, 0x100000


def read_out(window_class, env, default=None):
    """The probe's view of the first visible window of the class: (window line, children)."""
    args = ["wine", str(PROBE), window_class] + ([f"--default={default}"] if default else [])
    out = subprocess.run(args, env=env, capture_output=True, timeout=60)
    text = out.stdout.decode("utf-8", "replace").replace("\r", "")
    assert out.returncode == 0, text + out.stderr.decode("utf-8", "replace")
    lines = text.splitlines()
    head = dict(kv.split("=", 1) for kv in lines[0].split(" ", 3)[1:])
    children = {}
    for line in lines[1:]:
        if not line.startswith("child="):
            continue
        fields, texts = line.split(" action=", 1)
        child = dict(kv.split("=") for kv in fields.split())
        action, value, name = texts.split("|", 2)
        children[int(child["child"])] = {
            "role": int(child["role"]), "state": int(child["state"], 16),
            "rect": tuple(int(child[k]) for k in ("x", "y", "w", "h")),
            "action": action, "value": value[len("value="):], "name": name[len("name="):]}
    return head, children


def by_id(app, window_class, children):
    """Children keyed by control id (the first of an id), matched to the dump's order."""
    controls = app.window(window_class).controls
    assert len(controls) == len(children), (len(controls), len(children))
    found = {}
    for index, control in enumerate(controls):
        found.setdefault(control.id, (control, children[index + 1]))
    return found


def test_a_reader_in_another_process_lists_the_main_windows_controls(vantrel, shots):
    app = vantrel.start()
    app.wait_main_window()
    app.wait_control(3409, lambda c: c.visible, what="the cable status image")
    app.settle()
    head, children = read_out("GamingMouse_QVR", app.env)
    assert int(head["role"]) == ROLE_CLIENT
    items = by_id(app, "CVantrelDlg", children)
    expected = {  # id: (role, name, value or None, state bits that must be set)
        2001: (ROLE_PUSHBUTTON, "Close", None, FOCUSABLE),
        2002: (ROLE_PUSHBUTTON, "Minimise", None, FOCUSABLE),
        2013: (ROLE_COMBOBOX, "Button 1", "Left click", FOCUSABLE),
        3001: (ROLE_PAGETAB, "DPI", None, SELECTED | FOCUSABLE),
        3004: (ROLE_PAGETAB, "Polling rate", None, FOCUSABLE),
        3280: (ROLE_SLIDER, "DPI level 1", None, FOCUSABLE),
        3260: (ROLE_CHECKBUTTON, "DPI level 1 on", None, FOCUSABLE),
        3409: (ROLE_GRAPHIC, "Connected by cable", None, 0),
        3500: (ROLE_SLIDER, "Power-saving time", "1", FOCUSABLE),
        3530: (ROLE_SLIDER, None, None, INVISIBLE),  # on the closed debounce page
        3007: (ROLE_STATICTEXT, None, None, 0),
    }
    for control_id, (role, name, value, state) in expected.items():
        control, child = items[control_id]
        assert child["role"] == role, (control_id, child)
        if name is not None:
            assert child["name"] == name, (control_id, child)
        if value is not None:
            assert child["value"] == value, (control_id, child)
        assert child["state"] & state == state, (control_id, hex(child["state"]))
        if control.visible:
            assert child["rect"] == (control.x, control.y, control.w, control.h), control_id
    battery = next(c for c in children.values() if c["role"] == ROLE_PROGRESSBAR)
    assert battery["name"] == "Battery" and battery["value"].endswith("%"), battery
    # A check box is named by the label beside it.
    assert items[3501][1]["role"] == ROLE_CHECKBUTTON
    assert items[3501][1]["name"] == "Lights off while moving", items[3501]
    # Every control a user works has a name.
    for control, child in items.values():
        if child["state"] & FOCUSABLE and not child["state"] & INVISIBLE:
            assert child["name"], (control, child)
    counts = {}
    for child in children.values():
        counts[child["role"]] = counts.get(child["role"], 0) + 1
    (shots / "roles.txt").write_text(repr(sorted(counts.items())))

    # The reader works a control: the polling-rate tab opens its page.
    _, child = items[3004]
    index = list(children.values()).index(child) + 1
    read_out("GamingMouse_QVR", app.env, default=index)
    app.wait_control(3004, lambda c: c.checked, what="the polling tab opened by the reader")


def test_tab_shift_tab_and_space_work_the_main_window(vantrel, shots):
    app = vantrel.start()
    main = app.wait_main_window()
    app.settle()
    # An empty spot of the window takes the keyboard.
    app.click_at(main.x + 560, main.y + 600)
    app.key("Tab")
    app.wait_control(3100, lambda c: c.focused, what="the profile selector focused first")
    app.key("shift+Tab")
    app.wait_control(3015, lambda c: c.focused, what="Shift+Tab wraps to the last tab")
    app.screenshot(shots / "focus-mark.png")
    assert not app.control(3015).checked
    app.key("space")
    app.wait_control(3015, lambda c: c.checked, what="Space opens the update page")
    app.screenshot(shots / "space-opens-update.png")
    # Only one control has the focus.
    assert sum(c.focused for c in app.window("CVantrelDlg").controls) == 1


def test_a_reader_reads_a_dialog_and_its_field(vantrel, shots):
    app = vantrel.start()
    app.wait_main_window()
    app.settle()
    app.click(2071)  # a new profile: the name dialog
    wait_for(lambda: app.window("CAddProfileDlg", visible=True), 20, what="the name dialog")
    app.settle()
    head, children = read_out("VantrelSkinDialog", app.env)
    items = by_id(app, "CAddProfileDlg", children)
    title = items[2012][0].text
    assert title and head["name"] == title, (head, title)
    close, ok, field = items[2004][1], items[2010][1], items[2011][1]
    assert (close["role"], close["name"], close["action"]) == (ROLE_PUSHBUTTON, "Close", "Press")
    assert (ok["role"], ok["name"]) == (ROLE_PUSHBUTTON, items[2010][0].text)
    # The field is named by the dialog's title above it and holds the proposed name.
    assert (field["role"], field["name"]) == (ROLE_TEXT, title)
    assert field["value"] == items[2011][0].text
    assert field["state"] & FOCUSED, hex(field["state"])
    assert items[2012][1]["role"] == ROLE_STATICTEXT
    app.screenshot(shots / "name-dialog.png")
