"""The button edit as a user meets it: type into the field, copy its text, clear it, find."""
import os
import subprocess
from pathlib import Path

import pytest

from conftest import (ROOT, WINE_RUN, clipboard_text, click, set_clipboard_text, wait_for,
                      wintool, x_window, xdotool)

DEMO = Path(os.environ.get("ZEL_BUTTONEDIT_DEMO",
                           ROOT / "build" / "win64" / "tests" / "e2e" / "buttonedit_demo.exe"))
CLASS = "ZelButtonEditDemo"


@pytest.fixture
def demo(tmp_path):
    proc = subprocess.Popen([str(WINE_RUN), str(DEMO)], cwd=tmp_path, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: (wintool("find", CLASS) or {}).get("visible"), "the demo window")
    yield proc
    proc.terminate()
    proc.wait(timeout=60)
    wait_for(lambda: wintool("count", CLASS)["count"] == 0, "the demo window to go")


def children(class_name):
    return [c for c in wintool("children", CLASS)["children"] if c["class"] == class_name]


def field_text():
    return children("Edit")[0]["text"]


def click_on(child):
    click(child["left"] + child["width"] // 2, child["top"] + child["height"] // 2)


def type_into(edit, text):
    """Clicks into the field of the focused window and types, as the user does."""
    xdotool("windowfocus", wait_for(lambda: x_window("Button edit"), "the demo's X window"))
    click_on(edit)
    xdotool("type", "--delay", "50", text)


def test_typing_copying_clearing_and_finding(demo):
    edit = children("Edit")[0]
    clear, copy, find = sorted(children("ZelSpeedButton"), key=lambda c: c["left"])
    # The buttons sit flat at the right edge, in the order they were added.
    assert clear["left"] + clear["width"] == copy["left"]
    assert copy["left"] + copy["width"] == find["left"]
    assert edit["left"] + edit["width"] == clear["left"]

    type_into(edit, "hello world")
    wait_for(lambda: field_text() == "hello world", "the typed text in the field")

    set_clipboard_text("before")
    click_on(copy)
    wait_for(lambda: clipboard_text() == "hello world", "the field's text on the clipboard")

    click_on(clear)
    wait_for(lambda: field_text() == "", "the field to be cleared")

    type_into(edit, "abc")
    wait_for(lambda: field_text() == "abc", "the new text")
    click_on(find)
    wait_for(lambda: x_window("found: abc"), "the find button's answer in the caption")


def test_hovering_a_button_shows_its_hint(demo):
    copy = sorted(children("ZelSpeedButton"), key=lambda c: c["left"])[1]
    xdotool("windowfocus", wait_for(lambda: x_window("Button edit"), "the demo's X window"))
    xdotool("mousemove", "--sync", str(copy["left"] + 5), str(copy["top"] + 5))
    xdotool("mousemove", "--sync", str(copy["left"] + 8), str(copy["top"] + 8))

    def shown_tip():
        tip = wintool("find", "tooltips_class32")
        return tip if tip and tip["visible"] else None

    tip = wait_for(shown_tip, "the button's hint")
    # Below the mouse, near the button.
    assert abs(tip["left"] - copy["left"]) < 60
    assert copy["top"] < tip["top"] < copy["top"] + 80
    xdotool("mousemove", "--sync", "5", "5")
    wait_for(lambda: not shown_tip(), "the hint to go")
