"""Killed while the macro manager saves the library: MacroLibraryFile.mlf stays whole (the old
or the new file, never a mixture or a cut file), and the next start clears the temporary file
the kill left without finding a damaged file to back up.

The data folder is seeded with a library of 2,000 full macros (about 7 MB), so each save takes
long enough to be hit (about 0.1 s under Wine). Its first entry is an empty macro at level 0,
the one the manager selects when it opens; switching recording off saves the library, and a
key typed while recording makes the saves alternate between two contents. VANTREL_KILLS_LIBRARY sets
the number of kills (2 by default; 100 for a measurement)."""

import os
import random
import threading
import time

from vantrel_e2e import wait_for, xdotool

MANAGER = "CMacroManagerDlg"
RECORD, RECORD_DELAYS, LIBRARY_LIST = 2018, 2017, 2015
LIBRARY = "MacroLibraryFile.mlf"
TEMP = LIBRARY + ".vantrel-save~"
KILLS = int(os.environ.get("VANTREL_KILLS_LIBRARY", "2"))
MAX_ACTIONS = 184
ACTION_DIGITS = MAX_ACTIONS * 8
FOLDERS, SUBFOLDERS, MACROS = 20, 10, 10


def block(stage, indices, name, actions=None, key_index=0, commands=0):
    """One entry's lines as the program writes them; `actions` None for a folder."""
    tabs = "\t" * stage
    where = (list(indices) + [0, 0, 0])[:3]
    lines = [f"++++++++MacroItemName={name}",
             f"MacroItemLocation:stage={stage};stage0Index={where[0]};stage1Index={where[1]};"
             f"stage2Index={where[2]};",
             f"MacroItemIsFolder={int(actions is None)}", "MacroItemFolderIsOpen=0"]
    if actions is not None:
        digits = "".join(f"{b:02X}" for action in actions for b in action)
        lines += [f"MacroKeyIndex={key_index}", "MacroKeyLoopType=2", "MacroKeyLoopNum=1",
                  f"MacroActionNum={len(actions)}", f"MacroCommandActionNum={commands}",
                  "AllAction=" + digits.ljust(ACTION_DIGITS, "0")]
    return "".join(tabs + line + "\n" for line in lines)


def bench_actions():
    """A full macro: keys A..Z down and up with delays between them."""
    actions = []
    for a in range(MAX_ACTIONS):
        if a % 2:
            ms = a * 7
            actions.append((3, ms >> 16 & 0xFF, ms >> 8 & 0xFF, ms & 0xFF))
        else:
            actions.append((0x41 + a % 26, 0x80 if a % 4 == 2 else 0, 0, 0))
    return actions


def library_bytes(target_actions):
    """The whole seeded library with `target_actions` in its first macro. The folders are
    closed because the manager closes every folder when it opens."""
    heavy = bench_actions()
    level0 = [block(0, [0], "Target", target_actions, 1, len(target_actions))]
    level1, level2 = [], []
    key_index = 2
    for i in range(1, FOLDERS + 1):
        level0.append(block(0, [i], f"Folder {i}"))
        for j in range(SUBFOLDERS):
            level1.append(block(1, [i, j], f"Sub {j}"))
            for k in range(MACROS):
                level2.append(block(2, [i, j, k], f"Macro {i}-{j}-{k}", heavy, key_index,
                                    MAX_ACTIONS // 2))
                key_index += 1
    text = ("[MacroLibrary]\n"
            f"MacroKeyIndex={key_index}\n"
            "Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;\n"
            + "".join(level0 + level1 + level2))
    return b"\xff\xfe" + text.encode("utf-16-le")


def whole(data):
    """None when the file is a whole library, else what is wrong with it."""
    if not data.startswith(b"\xff\xfe") or len(data) % 2:
        return "no byte-order mark or an odd length"
    try:
        text = data[2:].decode("utf-16-le")
    except UnicodeDecodeError:
        return "not UTF-16"
    if not text.endswith("\n"):
        return "the last line has no line feed"
    lines = text[:-1].split("\n")
    if (lines[:1] != ["[MacroLibrary]"] or len(lines) < 3
            or not lines[1].startswith("MacroKeyIndex=")
            or not lines[2].startswith("Select Locaton:stage=")):
        return "a broken head"
    at, entries = 3, 0
    while at < len(lines):
        stage = len(lines[at]) - len(lines[at].lstrip("\t"))
        body = [line[stage:] for line in lines[at:at + 4]]
        if (len(body) < 4 or not body[0].startswith("++++++++MacroItemName=")
                or not body[1].startswith(f"MacroItemLocation:stage={stage};")
                or body[2] not in ("MacroItemIsFolder=0", "MacroItemIsFolder=1")):
            return f"a broken block at line {at + 1}"
        at += 4
        if body[2].endswith("=0"):
            macro = [line[stage:] for line in lines[at:at + 6]]
            keys = ["MacroKeyIndex=", "MacroKeyLoopType=", "MacroKeyLoopNum=", "MacroActionNum=",
                    "MacroCommandActionNum=", "AllAction="]
            if len(macro) < 6 or not all(m.startswith(k) for m, k in zip(macro, keys)):
                return f"a cut macro before line {at + 1}"
            if len(macro[5]) != len("AllAction=") + ACTION_DIGITS:
                return f"a cut action line at line {at + 6}"
            at += 6
        entries += 1
    if entries != 1 + FOLDERS * (1 + SUBFOLDERS * (1 + MACROS)):
        return f"{entries} entries"
    return None


def kill(app):
    app.proc.kill()
    app.proc.wait(30)
    app.proc = None


def open_manager(app):
    app.wait_main_window()
    app.wait_control(2016, lambda c: c.visible and c.text, timeout=60, what="the button fields")
    app.settle()
    app.click(2062)
    wait_for(lambda: app.window(MANAGER, visible=True), 60, what="the macro manager")
    # Fixed contents: no delays between the recorded keys, and the target macro selected.
    app.click(RECORD_DELAYS, window=MANAGER)
    app.wait_control(RECORD_DELAYS, lambda c: not c.checked, window=MANAGER,
                     what="record delays off")
    lst = app.wait_control(LIBRARY_LIST, window=MANAGER)
    app.click_at(lst.x + 60, lst.y + 10)
    # The pointer then stays on the record button: moving it "with sync" to where it already
    # is waits for a motion event that never comes.
    app.hover(RECORD, window=MANAGER)


def set_recording(app, on, stopped):
    """Clicks the record button until it shows `on`; a click lost under load is repeated."""
    for _ in range(3):
        if stopped() or app.wait_control(RECORD, window=MANAGER).checked == on:
            return
        xdotool("click", 1, env=app.env)
        try:
            app.wait_control(RECORD, lambda c: c.checked == on or stopped(), window=MANAGER,
                             timeout=10, what=f"recording {'on' if on else 'off'}")
        except AssertionError:
            continue
    if not stopped() and app.wait_control(RECORD, window=MANAGER).checked != on:
        raise AssertionError(f"recording did not switch {'on' if on else 'off'}")


def record(app, with_key, stop=None):
    """Recording on, a key or none, recording off: one save. Gives up when `stop` is set."""
    stopped = stop.is_set if stop else lambda: False
    set_recording(app, True, stopped)
    if with_key and not stopped():
        app.key("a")
        time.sleep(0.1)
    set_recording(app, False, stopped)


def stamp(path):
    st = path.stat()
    return st.st_ino, st.st_mtime_ns


def saved(path, before):
    """The file once a save has replaced the one stamped `before`."""
    def replaced():
        try:
            return stamp(path) != before and not path.with_name(TEMP).exists()
        except FileNotFoundError:
            return False
    wait_for(replaced, 30, what="the library to be saved")
    return path.read_bytes()


def writing(config, before):
    """A save has begun to write bytes: to its temporary file, or to the library itself
    (stamped `before` when the save began)."""
    try:
        if (config / TEMP).stat().st_size > 0:
            return True
    except FileNotFoundError:
        pass
    try:
        return stamp(config / LIBRARY) != before
    except FileNotFoundError:
        return True


def test_library_stays_whole_when_the_program_is_killed_while_saving(vantrel, shots):
    config = vantrel.data_dir / "config"
    library = config / LIBRARY
    empty = library_bytes([])
    keyed = library_bytes([(0x41, 0, 0, 0), (0x41, 0x80, 0, 0)])
    assert whole(empty) is None and whole(keyed) is None
    for old in shots.glob("broken-*.mlf"):
        old.unlink()

    # A first run that ends normally: the seeded file is read as whole, and the program's own
    # saves give exactly the two contents every later file must be one of.
    vantrel.start()
    vantrel.wait_main_window()
    vantrel.stop()
    library.write_bytes(empty)
    vantrel.start(keep_data=True)
    open_manager(vantrel)
    assert list(config.glob("*.bak")) == [], "the seeded library was taken for damaged"
    before = stamp(library)
    record(vantrel, with_key=True)
    assert saved(library, before) == keyed
    before = stamp(library)
    record(vantrel, with_key=False)
    assert saved(library, before) == empty
    vantrel.stop()

    rng = random.Random(20261211)
    broken, landed, landed_writing, left_after_start, saves = [], 0, 0, 0, 0
    versions, backups = set(), set()
    began = time.monotonic()
    for kill_number in range(1, KILLS + 1):
        vantrel.start(keep_data=True)
        open_manager(vantrel)
        stop = threading.Event()
        cycles, errors = [], []

        def keep_saving():
            try:
                while not stop.is_set():
                    record(vantrel, with_key=len(cycles) % 2 == 0, stop=stop)
                    if not stop.is_set():
                        cycles.append(1)
            except AssertionError as error:
                errors.append(error)

        saver = threading.Thread(target=keep_saving, daemon=True)
        saver.start()
        # Where the kill lands is the random part of the test. A save takes about a fifth of a
        # record cycle and writes its bytes in a few milliseconds at its end, so a third of
        # the kills fall anywhere, a third a random time into a save, and a third a random
        # time into its writing.
        time.sleep(rng.uniform(0.5, 4.0))
        if kill_number % 3:
            wait_for(lambda: (config / TEMP).exists(), 30, interval=0.001, what="a save")
            before = stamp(library)
        if kill_number % 3 == 1:
            time.sleep(rng.uniform(0.0, 0.15))
        elif kill_number % 3 == 2:
            wait_for(lambda: writing(config, before), 30, interval=0.0005, what="the writing")
            time.sleep(rng.uniform(0.0, 0.02))
        kill(vantrel)
        stop.set()
        try:
            landed_writing += (config / TEMP).stat().st_size > 0
            landed += 1
        except FileNotFoundError:
            pass
        saver.join(60)
        assert not saver.is_alive(), "the clicking went on after the kill"
        assert not errors, f"kill {kill_number}: {errors[0]}"
        saves += len(cycles)
        data = library.read_bytes()
        problem = whole(data)
        if problem or data not in (empty, keyed):
            broken.append(f"kill {kill_number}: {problem or 'a third content'}")
            (shots / f"broken-{kill_number}.mlf").write_bytes(data)
        versions.add(data)

        # The next start, without saving, must clear what the kill left.
        vantrel.start(keep_data=True)
        vantrel.wait_main_window()
        left_after_start += len(list(config.glob("*.tmp~")))
        backups.update(path.name for path in config.glob("*.bak"))
        kill(vantrel)

    print(f"\nlibrary kills: {KILLS}; landed during a save: {landed} ({landed_writing} while it "
          f"wrote its bytes); saves finished: {saves}; files not whole: {len(broken)}; temporary "
          f"files after the next start: {left_after_start}; backups: {len(backups)}; distinct "
          f"versions: {len(versions)}; {time.monotonic() - began:.0f} s")
    assert broken == []
    assert left_after_start == 0
    assert not backups, f"a start found a damaged file: {sorted(backups)}"
