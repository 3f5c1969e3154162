"""The device windows under Wine: the on-screen display, the firmware update through its
window, pairing, the factory reset, and the update check against a local server."""

import hashlib
import subprocess
import sys

import pytest

from vantrel_e2e import REPO, wait_for

ENGLISH = {293: "The firmware is up to date.", 282: "Paired."}


def write_script(shots, name, lines):
    path = shots / name
    path.write_text("\n".join(lines) + "\n")
    return path


def pixel(path, x, y):
    out = subprocess.run(["convert", str(path), "-format", f"%[fx:int(255*p{{{x},{y}}}.r)] "
                          f"%[fx:int(255*p{{{x},{y}}}.g)] %[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                         capture_output=True, text=True, check=True)
    return tuple(int(v) for v in out.stdout.split())


def firmware_requests(log):
    """(operation, ok) of every 0xBF request in the simulated mouse's log, in order."""
    found = []
    for line in log.splitlines():
        parts = line.split()
        if len(parts) > 7 and parts[1] == "set" and parts[4] == "BF":
            found.append((int(parts[7], 16), parts[3] == "ok"))
    return found


def open_page(app, tab):
    if not app.control(tab).checked:
        app.click(tab)
        app.wait_control(tab, lambda c: c.checked, what=f"tab {tab} open")


def test_dpi_changes_on_the_mouse_show_the_on_screen_display(vantrel, shots):
    # The DPI button pressed every 700 ms for a minute keeps the display up, however long the
    # program takes to start.
    events = ["0 plug wired"] + [f"{4000 + 700 * i} dpi wired {i % 4}" for i in range(80)]
    app = vantrel.start(write_script(shots, "dpi.txt", events))
    app.wait_main_window(timeout=150)
    screen = subprocess.run(["xdotool", "getdisplaygeometry"], env=app.env, capture_output=True,
                            text=True, check=True).stdout.split()
    width, height = int(screen[0]), int(screen[1])
    # Inside the display's top-left corner, where it has no text.
    x, y = width - 180 + 6, height - 140 + 6

    def magenta():
        shot = app.screenshot(shots / "osd.png")
        r, g, b = pixel(shot, x, y)
        return r > g + 25 and b > g + 25 and abs(r - b) < 40
    wait_for(magenta, timeout=40, interval=0.5, what="the on-screen display in a screenshot")
    assert app.running()


def test_firmware_update_runs_to_the_end_through_its_window(vantrel, shots):
    script = write_script(shots, "old-firmware.txt",
                          ["0 oldfirmware", "0 version wired 0x0200", "0 plug wired"])
    app = vantrel.start(script)
    app.wait_main_window(timeout=150)
    open_page(app, 3015)
    app.click(2055)
    app.wait_control(3006, lambda c: c.text not in ("", "0%"), window="CCheckFWDlg", timeout=60,
                     what="the update writing blocks")
    app.screenshot(shots / "firmware-writing.png")
    status = app.wait_control(3005, lambda c: c.text == ENGLISH[293], window="CCheckFWDlg",
                              timeout=400, what="the update to finish")
    assert app.control(3006, window="CCheckFWDlg").text == "100.0%"
    app.screenshot(shots / "firmware-done.png")
    requests = wait_for(lambda: (r := firmware_requests(app.sim_log())) and r[-1][0] == 0 and r,
                        timeout=10, what="the log to be flushed")
    restart = [i for i, (op, _) in enumerate(requests) if op == 2]
    assert len(restart) == 1, "one restart request"
    after = requests[restart[0] + 1:]
    assert after and all(ok for _, ok in after), "the mouse answered again after its restart"
    assert app.running(), "the restart did not end the program"
    app.click(2011, window="CCheckFWDlg")
    wait_for(lambda: not app.window("CCheckFWDlg"), timeout=20, what="the window to close")
    assert app.running() and status


def test_pairing_and_factory_reset_through_their_windows(vantrel, shots):
    app = vantrel.start(write_script(shots, "two-modes.txt", ["0 plug wired", "0 plug wireless"]))
    app.wait_main_window(timeout=150)
    open_page(app, 3013)
    app.click(2054)
    app.wait_control(2010, window="CParingDlg", what="the pairing window")
    app.click(2010, window="CParingDlg")
    app.wait_control(2013, lambda c: c.text == ENGLISH[282], window="CParingDlg", timeout=30,
                     what="paired")
    app.screenshot(shots / "paired.png")
    assert any(" set wireless ok BC 03" in line for line in app.sim_log().splitlines()) or \
        wait_for(lambda: " set wireless ok BC 03" in app.sim_log(), timeout=5,
                 what="the pairing report in the log")
    app.click(2011, window="CParingDlg")
    wait_for(lambda: not app.window("CParingDlg"), timeout=20, what="the pairing window to close")

    app.click(2045)
    app.wait_control(2010, window="CFirmwareResetDlg", what="the reset confirmation")
    app.screenshot(shots / "reset-confirm.png")
    app.click(2010, window="CFirmwareResetDlg")
    wait_for(lambda: any(f[1] == "0F" for f in app.sent_commands()), timeout=20,
             what="command 0x0F acknowledged")
    wait_for(lambda: not app.window("CFirmwareResetDlg") and not app.window("CProgressDlg"),
             timeout=20, what="the reset windows to close")
    assert app.running()


INSTALLER_C = r"""
#include <stdio.h>
#include <string.h>
int main(int argc, char** argv) {
  char path[1024];
  const char* slash = strrchr(argv[0], '\\');
  size_t n = slash ? (size_t)(slash - argv[0] + 1) : 0;
  if (n + 16 > sizeof path) return 1;
  memcpy(path, argv[0], n);
  strcpy(path + n, "installed.txt");
  FILE* f = fopen(path, "w");
  if (!f) return 1;
  fputs("installed\n", f);
  fclose(f);
  return 0;
}
"""




def make_installer(folder):
    source = folder / "installer.c"
    source.write_text(INSTALLER_C)
    exe = folder / "installer.exe"
    subprocess.run(["x86_64-w64-mingw32-gcc", "-O1", "-o", str(exe), str(source)], check=True)
    return exe.read_bytes()


# The build's throw-away release key (made by CMake in the build folder) signs what it trusts.
sys.path.insert(0, str(REPO / "scripts"))
import version_file as signing  # noqa: E402

BUILD_KEY = REPO / "build" / "win" / "update-key" / "test-private.pem"


def version_file(version, sha):
    return signing.signed_version_file(signing.load_key(BUILD_KEY), version, sha)


def run_update_check(app):
    open_page(app, 3015)
    app.click(2056)


def refused(app, shots, name, text):
    """The check ends in a message box saying `text`; it is closed and nothing ran."""
    box = app.wait_control(2013, window="CAttentionDlg", timeout=60, what=f"the message: {name}")
    app.screenshot(shots / f"{name}.png")
    assert text in box.text, box.text
    assert not app.data_file("update\\installed.txt").exists()
    assert app.running()
    app.click(2010, window="CAttentionDlg")
    wait_for(lambda: not app.window("CAttentionDlg"), timeout=20, what="the message to close")


def test_update_check_starts_only_a_signed_and_checked_installer(vantrel, shots, update_server):
    root, url = update_server
    installer = make_installer(shots)
    sha = hashlib.sha256(installer).hexdigest()
    (root / "installer_V2.1.7.exe").write_bytes(installer)
    app = vantrel.start(extra_env={"VANTREL_UPDATE_URL": url})
    app.wait_main_window(timeout=150)

    # Unsigned, then signed but changed afterwards: refused before anything is downloaded.
    # Each answer replaces the last at the same address: no cached copy may stand in for it.
    (root / "VersionInfo.txt").write_bytes(b"\xff\xfe" + f"2.1.7\nSHA256={sha}\n".encode("utf-16-le"))
    run_update_check(app)
    refused(app, shots, "unsigned", "signed")
    tampered = bytearray(version_file("2.1.7", sha))
    tampered[2] = ord("3")  # "3.1.7"
    (root / "VersionInfo.txt").write_bytes(bytes(tampered))
    run_update_check(app)
    refused(app, shots, "tampered-version-file", "signed")
    assert not app.data_file("update\\update.exe").exists()

    # Signed, but the installer is not the one signed for: deleted, nothing runs.
    (root / "VersionInfo.txt").write_bytes(version_file("2.1.7", "0" * 64))
    run_update_check(app)
    app.wait_control(2010, window="CDownloadDlg", timeout=30, what="the download dialog")
    app.click(2010, window="CDownloadDlg")
    refused(app, shots, "mismatch", "checksum")
    assert not app.data_file("update\\update.exe").exists()

    # All in order: downloaded, the message, the held copy runs, the program ends.
    (root / "VersionInfo.txt").write_bytes(version_file("2.1.7", sha))
    run_update_check(app)
    app.wait_control(2010, window="CDownloadDlg", timeout=30, what="the download dialog")
    app.click(2010, window="CDownloadDlg")
    app.wait_control(2010, window="CAttentionDlg", timeout=60, what="the download-complete message")
    app.screenshot(shots / "download-complete.png")
    update = app.data_file("update\\update.exe")
    assert hashlib.sha256(update.read_bytes()).hexdigest() == sha
    app.click(2010, window="CAttentionDlg")
    wait_for(lambda: not app.running(), timeout=30, what="the program to end for the installer")
    wait_for(lambda: app.data_file("update\\installed.txt").exists(), timeout=30,
             what="the installer to run")
    copies = [p for p in update.parent.iterdir() if p.name.startswith("installer-")]
    assert len(copies) == 1 and copies[0].read_bytes() == installer
