"""End-to-end harness: real programs in a scratch folder under Wine, driven as a user would.

xdotool clicks and types, xclip reads the clipboard, import takes screenshots; wintool (a small
Win32 program built with the tests) reports what only the window system knows: class names,
rectangles and message-box texts. Waiting is always for a condition, with a timeout.
"""
import contextlib
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path, PureWindowsPath

import pytest

ROOT = Path(__file__).resolve().parents[2]
WINE_RUN = ROOT / "scripts" / "wine-run.sh"
PROGRAM_DIR = Path(os.environ.get("ZEL_PROGRAM_DIR", ROOT / "build" / "win64" / "program"))
WINTOOL = Path(os.environ.get("ZEL_WINTOOL", ROOT / "build" / "win64" / "tests" / "e2e" / "wintool.exe"))
TIMEOUT = 60

CLASSES = {"Velmora": "TForm1", "Tamsorn": "TForm3"}
BOM = b"\xef\xbb\xbf"


def wait_for(condition, what, timeout=TIMEOUT):
    """Polls until the condition gives a true value, and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.2)


def wintool(*args):
    # Output goes to a file, not a pipe: Wine may start its own long-lived helpers (the
    # desktop process) from this call, and they would hold a pipe open after wintool ended.
    with tempfile.TemporaryFile() as out:
        try:
            result = subprocess.run([str(WINE_RUN), str(WINTOOL), *args], stdout=out,
                                    stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                                    timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            return None
        if result.returncode != 0:
            return None
        out.seek(0)
        text = out.read().decode("utf-8").strip()
    return json.loads(text) if text else {}


def windows_path(path):
    """A path as the programs see it under Wine (the root of the file system is drive Z:)."""
    return str(PureWindowsPath("Z:/", *Path(path).resolve().parts[1:]))


def windows_processes(exe_name):
    """The Linux ids of the running Windows processes of this program file."""
    found = []
    for entry in Path("/proc").iterdir():
        try:
            first = (entry / "cmdline").read_bytes().split(b"\0")[0].decode(errors="replace")
        except OSError:
            continue
        if first.replace("\\", "/").rsplit("/", 1)[-1].lower() == exe_name.lower():
            found.append(int(entry.name))
    return found


@contextlib.contextmanager
def held_by_another_program(folder, *wintool_args):
    """Runs a wintool hold command (holdclipboard, holdfile) until the block ends."""
    ready, stop = folder / "held", folder / "release"
    holder = subprocess.Popen([str(WINE_RUN), str(WINTOOL), *wintool_args, str(ready), str(stop)],
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    try:
        wait_for(ready.exists, f"another program to hold {wintool_args}")
        yield
    finally:
        stop.touch()
        holder.wait(timeout=TIMEOUT)
        ready.unlink(missing_ok=True)
        stop.unlink(missing_ok=True)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True,
                          stdin=subprocess.DEVNULL, timeout=TIMEOUT)


def x_window(title):
    """The X window whose title is exactly this text."""
    out = xdotool("search", "--name", f"^{title}$").stdout.split()
    return out[0] if out else None


def press_keys(title, *keys):
    window = wait_for(lambda: x_window(title), f"an X window titled {title!r}")
    xdotool("windowfocus", window)
    xdotool("key", "--clearmodifiers", *keys)


def click(x, y):
    """A left click at a screen point, as the user's mouse does it."""
    xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("click", "1")


def clipboard_text():
    """The text on the clipboard (Wine shares it with the X CLIPBOARD selection)."""
    try:
        out = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True,
                             stdin=subprocess.DEVNULL, timeout=10)
    except subprocess.TimeoutExpired:
        return None
    return out.stdout.decode("utf-8") if out.returncode == 0 else None


def set_clipboard_text(text):
    """Puts a text on the clipboard from outside Wine."""
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode("utf-8"),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)


class Program:
    """One deliverable started from its own folder."""

    def __init__(self, folder: Path, name: str):
        self.folder = folder
        self.name = name
        self.class_name = CLASSES[name]
        self.exe = folder / f"{name}.exe"
        self.settings = folder / f"{name}.exe_ユーザー設定.ini"
        self.processes = []

    def start(self, cwd=None, preexec_fn=None):
        """Starts the program, by default from its own folder as the current one;
        `preexec_fn` sets up the process before Wine starts in it."""
        log = open(self.folder / f"{self.name}-{len(self.processes)}.log", "wb")
        env = dict(os.environ, WINEDEBUG="err+all,warn+seh")
        proc = subprocess.Popen([str(WINE_RUN), str(self.exe)], cwd=cwd or self.folder, env=env,
                                stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                preexec_fn=preexec_fn)
        log.close()
        self.processes.append(proc)
        return proc

    def exited_early(self):
        """Fails at once, with Wine's report, when the program ended while we waited."""
        proc = self.processes[-1]
        if proc.poll() is not None:
            log = self.folder / f"{self.name}-{len(self.processes) - 1}.log"
            raise AssertionError(f"{self.name} ended with {proc.returncode}:\n"
                                 + log.read_text(errors="replace")[-4000:])

    def window(self):
        return wintool("find", self.class_name)

    def count(self):
        return wintool("count", self.class_name)["count"]

    def wait_window(self):
        def shown():
            self.exited_early()
            w = self.window()
            return w if w and w["visible"] else None
        return wait_for(shown, f"the {self.class_name} window")

    def dialog(self):
        return wintool("dialog", self.name)

    def move(self, left, top, width, height):
        """Places the window as a user would by dragging its frame."""
        assert wintool("move", self.class_name, str(left), str(top), str(width),
                       str(height)) is not None

    def rows(self):
        """The phrase list's rows: count, selected row, screen rectangles of the shown rows."""
        return wintool("rows", self.class_name)

    def child(self, text):
        """The child control whose text this is, with its screen rectangle."""
        children = wintool("children", self.class_name)["children"]
        return next(c for c in children if c["text"] == text)

    def click_row(self, row):
        r = next(r for r in self.rows()["rows"] if r[0] == row)
        click((r[1] + r[3]) // 2, (r[2] + r[4]) // 2)

    def click_child(self, text):
        c = self.child(text)
        click(c["left"] + c["width"] // 2, c["top"] + c["height"] // 2)

    def click_caption(self):
        """A click on the middle of the title bar: the window comes to the front."""
        w = self.window()
        click(w["left"] + w["width"] // 2, w["top"] + 10)

    def wait_in_front(self):
        return wait_for(lambda: (w := self.window()) and w["foreground"] and w,
                        f"{self.name} in front")

    def dismiss_dialog(self):
        """OK on the program's message box, with the keyboard."""
        press_keys(self.name, "Return")
        wait_for(lambda: self.dialog() is None, "the message box to close")

    def minimize(self):
        assert wintool("minimize", self.class_name) is not None

    def wait_exit(self, proc=None):
        proc = proc or self.processes[-1]
        wait_for(lambda: proc.poll() is not None, f"{self.name} to end")
        return proc.returncode

    def close(self):
        """Alt+F4 on the main window, as a user closes it."""
        title = self.window()["title"]
        press_keys(title, "alt+F4")

    def stop(self):
        for proc in self.processes:
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(timeout=TIMEOUT)
                except subprocess.TimeoutExpired:
                    proc.kill()
        # A copy that the other program started is asked to close as the user would.
        if self.count():
            wintool("close", self.class_name)
        wait_for(lambda: self.count() == 0, f"no {self.class_name} window left")


@pytest.fixture
def program_folder(tmp_path):
    """A scratch program folder: both programs and their phrase-list templates."""
    # Only what ships: a list or settings file left there by a run of the program stays out.
    for item in PROGRAM_DIR.iterdir():
        if item.is_file() and (item.suffix == ".exe" or item.name.endswith("_LIST_tmp.txt")):
            shutil.copy(item, tmp_path / item.name)
    return tmp_path


@pytest.fixture
def programs(program_folder):
    started = {}

    def get(name):
        if name not in started:
            started[name] = Program(program_folder, name)
        return started[name]

    yield get
    for program in started.values():
        program.stop()


def pytest_configure(config):
    config.addinivalue_line(
        "markers", "other_programs: acts on windows of other programs; runs after the others")


def pytest_collection_modifyitems(items):
    """Tests with other programs' windows run last: without a window manager Wine keeps no
    topmost window above another program's, and a window another program covered can stop
    getting clicks."""
    items.sort(key=lambda item: item.get_closest_marker("other_programs") is not None)


@pytest.fixture(scope="session", autouse=True)
def wine_ready():
    """The first Wine start on a new display may take long; later ones are quick."""
    wait_for(lambda: wintool("workarea"), "Wine to answer", timeout=300)


@pytest.fixture(scope="session")
def frame():
    """The outer size a main window adds to its client area."""
    return wintool("frame")


@pytest.fixture(scope="session")
def workarea():
    return wintool("workarea")
