"""Keyboard, clipboard and menus under Wine, on the toolkit gallery: real X key events typed
into its text entries, non-ASCII text (a surrogate pair included) pasted from an X clipboard
owner, the menu field's submenu opened with the pointer and its hover highlight seen in a
screenshot. The gallery writes what its entries hold and its last menu choice to a state
file (--state-log)."""

import subprocess
import time

import pytest

from vantrel_e2e import REPO, wait_for, winepath, xdotool

GALLERY = REPO / "build" / "win" / "VantrelGallery.exe"
# Client rectangles of the gallery (tools/gallery/GalleryDlg.cpp) and the menu's rows.
NAME_ENTRY = (540, 362, 780, 386)
MENU_FIELD = (640, 396, 780, 420)
ROW, PAD = 22, 3


def pixel(png, x, y):
    out = subprocess.run(["convert", str(png), "-format",
                          f"%[fx:int(255*p{{{x},{y}}}.r)],%[fx:int(255*p{{{x},{y}}}.g)],"
                          f"%[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                         capture_output=True, text=True, check=True)
    return tuple(int(v) for v in out.stdout.split(","))


def bluish(png, x, y):
    """The menus' highlight is blue; their background is a dark grey."""
    r, _, b = pixel(png, x, y)
    return b > r + 60 and b > 120


class Gallery:
    def __init__(self, env, workdir):
        self.env = env
        self.state = workdir / "gallery-state.txt"
        self.state.unlink(missing_ok=True)
        self.log = open(workdir / "gallery.log", "w")
        self.proc = subprocess.Popen(
            ["wine", str(GALLERY), f"--state-log={winepath(self.state, env)}"],
            cwd=GALLERY.parent, env=env, stdout=self.log, stderr=subprocess.STDOUT)
        found = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "^Gaming Mouse$",
                                         env=env).stdout.split(), 60, what="the gallery window")
        self.window = found[0]
        time.sleep(1)
        geometry = dict(line.split("=") for line in xdotool(
            "getwindowgeometry", "--shell", self.window, env=env).stdout.split())
        self.x, self.y = int(geometry["X"]), int(geometry["Y"])

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(10)

    def move(self, x, y):
        """Pointer to a point of the gallery's client area (menus lie over it)."""
        xdotool("mousemove", "--sync", self.x + x, self.y + y, env=self.env)

    def click(self, x, y):
        self.move(x, y)
        time.sleep(0.05)
        xdotool("click", 1, env=self.env)

    def keys(self, *keys):
        xdotool("windowfocus", "--sync", self.window, env=self.env)
        xdotool("key", *keys, env=self.env)

    def type(self, text):
        xdotool("windowfocus", "--sync", self.window, env=self.env)
        xdotool("type", "--delay", 60, text, env=self.env)

    def state_has(self, line, timeout=15):
        def holds():
            try:
                return line in self.state.read_text(encoding="utf-8").splitlines()
            except FileNotFoundError:
                return False
        try:
            return wait_for(holds, timeout, what=line)
        except AssertionError:
            text = self.state.read_text(encoding="utf-8") if self.state.exists() else "(none)"
            raise AssertionError(f"state file lacks {line!r}: {text!r}")

    def window_under_pointer(self):
        out = xdotool("getmouselocation", "--shell", env=self.env).stdout
        return dict(line.split("=") for line in out.split()).get("WINDOW")

    def geometry(self, window):
        out = xdotool("getwindowgeometry", "--shell", window, env=self.env).stdout
        g = dict(line.split("=") for line in out.split())
        return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True)
        return path


@pytest.fixture
def gallery(wine_env, shots):
    if not GALLERY.exists():
        pytest.fail(f"missing {GALLERY}: build the Windows programs first")
    app = Gallery(wine_env, shots)
    try:
        yield app
    finally:
        app.stop()
        subprocess.run(["wineserver", "-k"], env=wine_env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=wine_env, capture_output=True)


@pytest.fixture
def clipboard(wine_env):
    """Puts UTF-8 text on the X clipboard; its owner (xclip) runs until the test ends."""
    owners = []

    def put(text):
        owner = subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet"], env=wine_env,
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        owner.stdin.write(text.encode("utf-8"))
        owner.stdin.close()
        owners.append(owner)
        time.sleep(1)  # Wine's clipboard manager takes the new owner's text

    yield put
    for owner in owners:
        owner.terminate()
        owner.wait(10)


def test_typed_and_pasted_text_reaches_the_entries_whole(gallery, clipboard, shots):
    # A click focuses the name entry; Ctrl+A selects its text, which typing replaces.
    gallery.click(600, 374)
    gallery.keys("ctrl+a")
    gallery.type("Anna")
    clipboard(" Müller 名\U0001F600")
    gallery.keys("ctrl+v")
    gallery.state_has("name=Anna Müller 名\U0001F600")
    # Backspace takes the pair whole, not half of it.
    gallery.keys("BackSpace")
    gallery.state_has("name=Anna Müller 名")
    # Tab goes on to the number entry and selects it; letters do not go in.
    gallery.keys("Tab")
    gallery.type("32x00")
    gallery.state_has("number=3200")
    gallery.screenshot(shots / "entries.png")
    # Escape in the focused entry reaches the dialog, which closes.
    gallery.keys("Escape")
    wait_for(lambda: gallery.proc.poll() is not None, 20, what="the gallery to close")


def test_submenu_opens_beside_its_menu_with_hover_highlights(gallery, shots):
    gallery.click((MENU_FIELD[0] + MENU_FIELD[2]) // 2, (MENU_FIELD[1] + MENU_FIELD[3]) // 2)
    time.sleep(1)
    # Row 3 (Multimedia) of the menu below the field opens its submenu while it is lit.
    row3 = MENU_FIELD[3] + PAD + 3 * ROW
    gallery.move(680, row3 + ROW // 2)
    menu = wait_for(lambda: (w := gallery.window_under_pointer()) != gallery.window and w,
                    10, what="the menu under the pointer")
    mx, my, mw, _ = gallery.geometry(menu)
    assert (mx, my) == (gallery.x + MENU_FIELD[0], gallery.y + MENU_FIELD[3]), "below the field"
    # Over to the submenu's second row: the submenu row and its menu row are both lit.
    xdotool("mousemove", "--sync", mx + mw + 30, gallery.y + row3 + ROW + ROW // 2,
            env=gallery.env)
    time.sleep(0.8)
    sub = gallery.window_under_pointer()
    assert sub not in (menu, gallery.window), "the submenu beside the menu"
    sx, sy, _, _ = gallery.geometry(sub)
    assert sx == mx + mw and sy == gallery.y + row3 - PAD
    shot = gallery.screenshot(shots / "submenu.png")
    assert bluish(shot, sx + 6, gallery.y + row3 + ROW + ROW // 2), "the row under the pointer"
    assert bluish(shot, mx + 6, gallery.y + row3 + ROW // 2), "the row of the open submenu"
    assert not bluish(shot, mx + 6, my + PAD + ROW // 2), "a row without the pointer"
    # A click chooses; both menus close.
    xdotool("click", 1, env=gallery.env)
    gallery.state_has("menu=Next track")
    time.sleep(0.5)
    assert gallery.window_under_pointer() != sub
