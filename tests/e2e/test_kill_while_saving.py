"""Killed while it saves: config.ini and the five profile files stay whole (the old or the new
file, never a mixture), and the next start clears what the kill left behind without finding a
damaged file to back up.

The simulated mouse keeps reporting another sensor every 40 ms; each report makes the program
rewrite config.ini and the five profiles, so a kill at a random moment lands inside a save
most of the time. VANTREL_KILLS sets the number of kills (3 by default; 100 for a
measurement)."""

import hashlib
import os
import random
import time

from vantrel_e2e import wait_for

FILES = ["config.ini"] + [f"default{i}.psf" for i in range(5)]
KILLS = int(os.environ.get("VANTREL_KILLS", "3"))


def write_saving_script(folder):
    lines = ["0 plug wired"]
    for t in range(500, 120001, 80):
        lines.append(f"{t} sensor wired 0x95")
        lines.append(f"{t + 40} sensor wired 0x50")
    path = folder / "saving.sim"
    path.write_text("\n".join(lines) + "\n")
    return path


def shape(data):
    """(header line, line count) of a whole file; None for anything cut or mixed."""
    if not data.startswith(b"\xff\xfe") or not data.endswith(b"\n\x00") or len(data) % 2:
        return None
    try:
        text = data[2:].decode("utf-16-le")
    except UnicodeDecodeError:
        return None
    return text.split("\n", 1)[0].rstrip("\r"), text.count("\n")


def kill(app):
    app.proc.kill()
    app.proc.wait(30)
    app.proc = None


def test_files_stay_whole_when_the_program_is_killed_while_saving(vantrel, shots):
    script = write_saving_script(shots)
    config = vantrel.data_dir / "config"

    # A first run that ends normally gives the shape every whole file must keep.
    vantrel.start(script=script)
    vantrel.wait_main_window()
    wait_for(lambda: all((config / name).exists() for name in FILES), 30, what="the files")
    vantrel.stop()
    expected = {name: shape((config / name).read_bytes()) for name in FILES}
    assert all(expected.values()), expected

    rng = random.Random(20261210)
    versions = {name: set() for name in FILES}
    broken, left_after_start, backups = [], 0, 0
    for kill_number in range(1, KILLS + 1):
        vantrel.start(script=script, keep_data=True)
        vantrel.wait_main_window()
        # The pause is the random part of the test: where in a save the kill lands.
        time.sleep(rng.uniform(0.0, 1.5))
        kill(vantrel)
        for name in FILES:
            data = (config / name).read_bytes()
            if shape(data) != expected[name]:
                broken.append(f"kill {kill_number}: {name}")
                (shots / f"broken-{kill_number}-{name}").write_bytes(data)
            versions[name].add(hashlib.md5(data).hexdigest())

        # The next start, without saving, must clear what the kill left.
        vantrel.start(keep_data=True)
        vantrel.wait_main_window()
        left_after_start += len(list(config.glob("*.vantrel-save~")))
        backups += len(list(config.glob("*.bak")))
        kill(vantrel)

    print(f"kills: {KILLS}; files not whole: {len(broken)}; temporary files after the next "
          f"start: {left_after_start}; backups: {backups}; most versions of one file: "
          f"{max(len(v) for v in versions.values())}")
    assert broken == []
    assert left_after_start == 0
    assert backups == 0, "a start found a damaged file"
    # The settings for one sensor or the other: never a third content.
    assert max(len(v) for v in versions.values()) <= 2
