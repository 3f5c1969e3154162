"""The release under Wine, in a prefix of its own: a silent install (files, shortcut, registry
entries, the program starts), a newer release over a running older one (it closes, its data
folder stays byte for byte), the uninstall (the data folder stays), the installer's pages in
English and Chinese, and the whole update chain against a loopback server."""

import hashlib
import os
import shutil
import subprocess
import time
import zipfile
from pathlib import Path

import pytest

from vantrel_e2e import REPO, WINE_ENV, Vantrel, wait_for, xdotool

RELEASE = REPO / "build" / "release-out"


def _versions():
    """The version of the release scripts/test.sh made, and the next patch version."""
    made = sorted(RELEASE.glob("installer_V*.exe"))
    old = made[-1].name[len("installer_V"):-len(".exe")] if made else "0.0.0"
    major, minor, patch = old.split(".")
    return old, f"{major}.{minor}.{int(patch) + 1}"


OLD, NEW = _versions()
NEWER = REPO / "build" / "e2e" / f"release-{NEW}"
KEY = REPO / "build" / "release" / "test-signing-key" / "private.pem"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"


def _bash(script, env):
    return subprocess.run(["bash", "-c", f"source '{WINE_ENV}'; {script}"], env=env,
                          capture_output=True, text=True)


@pytest.fixture(scope="module")
def releases():
    """The release scripts/test.sh made, and a newer one signed with the same key."""
    old = RELEASE / f"installer_V{OLD}.exe"
    if not old.exists():
        pytest.fail(f"missing {old}: run scripts/release.sh build/release-out first")
    if not (NEWER / f"installer_V{NEW}.exe").exists():
        env = dict(os.environ, VANTREL_VERSION=NEW, VANTREL_SIGNING_KEY=str(KEY))
        subprocess.run(["bash", str(REPO / "scripts" / "release.sh"), str(NEWER)], env=env,
                       check=True, capture_output=True)
    return {OLD: RELEASE, NEW: NEWER}


@pytest.fixture(scope="module")
def prefix_env(wine_env):
    """A fresh prefix of its own on the session's display: installs do not touch the one the
    other tests share."""
    prefix = REPO / "build" / "e2e" / "installer-prefix"
    env = dict(wine_env)
    result = _bash(f"prepare_wine_prefix '{prefix}' fresh", env)
    assert result.returncode == 0, result.stderr
    env["WINEPREFIX"] = str(prefix)
    # The installer's Chinese pages ask for SimSun, which a prefix lacks: the Chinese face
    # stands in, as the program's own text does.
    for face in ("SimSun", "宋体"):
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v",
                        face, "/t", "REG_SZ", "/d", "WenQuanYi Micro Hei", "/f"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        yield env
    finally:
        subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=env, capture_output=True)


def user_folder(env):
    user = os.environ.get("USER") or subprocess.run(["id", "-un"], capture_output=True,
                                                    text=True).stdout.strip()
    return Path(env["WINEPREFIX"]) / "drive_c" / "users" / user, user


def install_dir(env):
    return user_folder(env)[0] / "AppData" / "Local" / "Programs" / "Vantrel"


def data_dir(env):
    return user_folder(env)[0] / "AppData" / "Roaming" / "GamingMouseData20250627A"


def shortcut(env):
    return (user_folder(env)[0] / "AppData" / "Roaming" / "Microsoft" / "Windows" /
            "Start Menu" / "Programs" / "Vantrel.lnk")


def reg_values(env, key):
    """name -> (type, data) of one key; {} when it does not exist."""
    out = subprocess.run(["wine", "reg", "query", key], env=env, capture_output=True,
                         text=True).stdout.replace("\r", "")
    values = {}
    for line in out.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    return values


def run_installer(env, installer, *args, timeout=180):
    # No pipes: a program the installer starts would hold them open after it ends.
    subprocess.run(["wine", str(installer), *args], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)


def snapshot(folder):
    return {str(p.relative_to(folder)): hashlib.sha256(p.read_bytes()).hexdigest()
            for p in sorted(folder.rglob("*")) if p.is_file()}


def zipped_exe(release, version):
    with zipfile.ZipFile(release / f"Vantrel-{version}-portable.zip") as z:
        return z.read(f"Vantrel-{version}/Vantrel.exe")


def vantrel_running(env):
    """Whether a Vantrel.exe runs in this prefix (Wine's processes are host processes)."""
    prefix = f"WINEPREFIX={env['WINEPREFIX']}".encode()
    for proc in Path("/proc").iterdir():
        try:
            if b"vantrel.exe" in (proc / "cmdline").read_bytes().lower() and \
                    prefix in (proc / "environ").read_bytes().split(b"\0"):
                return True
        except OSError:
            continue
    return False


def test_silent_install_into_a_fresh_prefix(prefix_env, releases, shots):
    run_installer(prefix_env, releases[OLD] / f"installer_V{OLD}.exe", "/S")
    folder = install_dir(prefix_env)
    assert (folder / "Vantrel.exe").read_bytes() == zipped_exe(releases[OLD], OLD)
    assert (folder / "uninstall.exe").exists()
    assert (folder / "skins" / "exit_nr.png").exists()
    assert (folder / "lang" / "Lan_EN.txt").exists()
    assert shortcut(prefix_env).exists()

    _, user = user_folder(prefix_env)
    windows_dir = f"C:\\users\\{user}\\AppData\\Local\\Programs\\Vantrel"
    values = reg_values(prefix_env, UNINSTALL_KEY)
    assert values["DisplayName"] == ("REG_SZ", "Vantrel")
    assert values["DisplayVersion"] == ("REG_SZ", OLD)
    assert values["Publisher"][1]
    assert values["DisplayIcon"] == ("REG_SZ", f'"{windows_dir}\\Vantrel.exe",0')
    assert values["InstallLocation"] == ("REG_SZ", windows_dir)
    assert values["UninstallString"] == ("REG_SZ", f'"{windows_dir}\\uninstall.exe"')
    assert values["QuietUninstallString"] == ("REG_SZ", f'"{windows_dir}\\uninstall.exe" /S')
    assert values["EstimatedSize"][0] == "REG_DWORD"
    assert int(values["EstimatedSize"][1], 16) * 1024 >= (folder / "Vantrel.exe").stat().st_size
    # Start with Windows: on by default, the exact entry the program's own menu item writes.
    assert reg_values(prefix_env, RUN_KEY)["Vantrel"] == ("REG_SZ", f'"{windows_dir}\\Vantrel.exe"')

    app = Vantrel(prefix_env, shots, folder / "Vantrel.exe")
    app.start(script=None)
    try:
        app.wait_main_window(timeout=150)
        app.screenshot(shots / "installed-program.png")
    finally:
        app.stop()


def test_a_newer_release_replaces_a_running_older_one_and_keeps_its_data(prefix_env, releases,
                                                                         shots):
    folder = install_dir(prefix_env)
    assert (folder / "Vantrel.exe").exists(), "the silent install ran first"
    app = Vantrel(prefix_env, shots, folder / "Vantrel.exe")
    app.start(script=None, keep_data=True)
    app.wait_main_window(timeout=150)
    # The program has saved what it keeps; the data folder as it stands.
    app.settle()
    before = snapshot(data_dir(prefix_env))
    assert before, "the program made its data folder"

    run_installer(prefix_env, releases[NEW] / f"installer_V{NEW}.exe", "/S")
    wait_for(lambda: app.proc.poll() is not None, timeout=30, what="the old program to close")
    assert (folder / "Vantrel.exe").read_bytes() == zipped_exe(releases[NEW], NEW)
    assert reg_values(prefix_env, UNINSTALL_KEY)["DisplayVersion"] == ("REG_SZ", NEW)
    assert snapshot(data_dir(prefix_env)) == before
    # The closed program came back as the new version (it starts hidden).
    wait_for(lambda: vantrel_running(prefix_env), timeout=60, what="the new program to start")
    app.proc = None


def test_the_uninstall_removes_the_program_and_keeps_the_data_folder(prefix_env, releases):
    folder = install_dir(prefix_env)
    assert (folder / "Vantrel.exe").exists(), "installed by the tests before"
    before = snapshot(data_dir(prefix_env))
    quiet = reg_values(prefix_env, UNINSTALL_KEY)["QuietUninstallString"][1]
    program, arguments = quiet[1:].split('" ', 1)
    subprocess.run(["wine", program, *arguments.split()], env=prefix_env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    # The uninstaller runs on from a copy of itself: wait for what it does.
    wait_for(lambda: not folder.exists(), timeout=120, what="the program folder to go")
    assert not shortcut(prefix_env).exists()
    assert "Vantrel" not in reg_values(prefix_env, RUN_KEY)
    assert reg_values(prefix_env, UNINSTALL_KEY) == {}
    assert not vantrel_running(prefix_env)
    assert snapshot(data_dir(prefix_env)) == before


def installer_window(env):
    ids = xdotool("search", "--onlyvisible", "--name", "^Vantrel ", env=env).stdout.split()
    return ids[0] if ids else None


def drive_installer(env, shots, name, timeout=300):
    """Screenshots the installer's pages and presses its default button (Next, Install,
    Finish) every few seconds until its window is gone; the window titles seen."""
    window = wait_for(lambda: installer_window(env), timeout=90, what="the installer's window")
    titles = []
    deadline = time.monotonic() + timeout
    step = 0
    while installer_window(env) and time.monotonic() < deadline:
        window = installer_window(env)
        time.sleep(1.5)
        titles.append(xdotool("getwindowname", window, env=env).stdout.strip())
        step += 1
        subprocess.run(["import", "-window", "root", str(shots / f"{name}-page{step}.png")],
                       env=env, capture_output=True)
        # A click on the window's top band makes it the foreground; Enter presses the default
        # button (on the install page it only opens the details while the files go in).
        xdotool("mousemove", "--window", window, 200, 25, "click", "1", env=env)
        time.sleep(0.3)
        xdotool("key", "Return", env=env)
        time.sleep(2)
    assert not installer_window(env), "the installer finished"
    return titles


def write_language(env, code):
    config = data_dir(env) / "config"
    config.mkdir(parents=True, exist_ok=True)
    (config / "LanSetting.ini").write_bytes(
        b"\xff\xfe" + f"[ChangeLanguage]\nLanguage={code}\n".encode("utf-16-le"))




def test_the_installer_pages_in_chinese(prefix_env, releases, shots):
    """The program's language is Chinese: so is the installer's (a UI install over the one
    there is)."""
    write_language(prefix_env, "CN")
    installer = subprocess.Popen(["wine", str(releases[OLD] / f"installer_V{OLD}.exe")],
                                 env=prefix_env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
    try:
        titles = drive_installer(prefix_env, shots, "zh")
    finally:
        installer.wait(60)
        write_language(prefix_env, "EN")
    assert titles and all("安装" in t for t in titles), titles
    assert reg_values(prefix_env, UNINSTALL_KEY)["DisplayVersion"] == ("REG_SZ", OLD)


def test_the_update_chain_from_check_to_the_new_version(prefix_env, releases, shots,
                                                        update_server):
    """The installed older program checks a loopback server that serves what release.sh made
    for the newer version, downloads and verifies it, starts its installer (driven through its
    English pages) and the new version runs."""
    root, url = update_server
    for name in (f"installer_V{NEW}.exe", "VersionInfo.txt"):
        shutil.copy(releases[NEW] / name, root / name)
    folder = install_dir(prefix_env)
    if not (folder / "Vantrel.exe").exists() or \
            reg_values(prefix_env, UNINSTALL_KEY).get("DisplayVersion") != ("REG_SZ", OLD):
        run_installer(prefix_env, releases[OLD] / f"installer_V{OLD}.exe", "/S")
    subprocess.run(["wine", "taskkill", "/f", "/im", "Vantrel.exe"], env=prefix_env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    app = Vantrel(prefix_env, shots, folder / "Vantrel.exe")
    app.start(keep_data=True, extra_env={"VANTREL_UPDATE_URL": url})
    app.wait_main_window(timeout=150)
    if not app.control(3015).checked:
        app.click(3015)
        app.wait_control(3015, lambda c: c.checked, what="the update page")
    app.click(2056)
    app.wait_control(2010, window="CDownloadDlg", timeout=30, what="the download dialog")
    app.click(2010, window="CDownloadDlg")
    app.wait_control(2010, window="CAttentionDlg", timeout=120, what="the download-complete message")
    app.click(2010, window="CAttentionDlg")
    titles = drive_installer(prefix_env, shots, "en")
    assert titles and all(t.startswith("Vantrel Setup") for t in titles), titles
    wait_for(lambda: app.proc.poll() is not None, timeout=30, what="the old program to end")
    app.proc = None
    assert reg_values(prefix_env, UNINSTALL_KEY)["DisplayVersion"] == ("REG_SZ", NEW)
    assert (folder / "Vantrel.exe").read_bytes() == zipped_exe(releases[NEW], NEW)
    # The finish page started the new version.
    wait_for(lambda: vantrel_running(prefix_env), timeout=60, what="the new version to run")
