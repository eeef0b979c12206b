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


def shown(class_name):
    """The top-level window of this class when it is visible."""
    window = wintool("find", class_name)
    return window if window and window["visible"] else None


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

    tip = wait_for(lambda: shown("tooltips_class32"), "the button's hint")
    # Below the mouse, near the button.
    assert abs(tip["left"] - copy["left"]) < 60
    assert copy["top"] < tip["top"] < copy["top"] + 80
    xdotool("mousemove", "--sync", "5", "5")
    wait_for(lambda: not shown("tooltips_class32"), "the hint to go")


def fields():
    """The demo's edit fields from top to bottom: the button edit's, Amount and Fruit."""
    return sorted(children("Edit"), key=lambda c: c["top"])


def test_money_lookup_and_the_text_kept_between_runs(tmp_path):
    def start():
        proc = subprocess.Popen([str(WINE_RUN), str(DEMO)], cwd=tmp_path,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        wait_for(lambda: (wintool("find", CLASS) or {}).get("visible"), "the demo window")
        return proc

    proc = start()
    _, amount, fruit = fields()
    label = next(c for c in wintool("children", CLASS)["children"] if c["text"] == "&Amount")
    assert label["left"] + label["width"] <= amount["left"]
    assert label["top"] < amount["top"] + amount["height"] // 2 < label["top"] + label["height"]

    # A money field takes digits only and groups them as they come.
    type_into(amount, "12x345b67")
    wait_for(lambda: fields()[1]["text"] == "1,234,567", "the grouped amount")

    # The lookup list opens under the field while the field keeps the keys.
    type_into(fruit, "ap")
    popup = wait_for(lambda: shown("ZelHintWindow"), "the lookup list")
    assert popup["top"] >= fruit["top"] + fruit["height"] - 4
    xdotool("type", "--delay", "50", "r")
    wait_for(lambda: fields()[2]["text"] == "apr", "the third typed letter in the field")
    xdotool("key", "Return")
    wait_for(lambda: fields()[2]["text"] == "Apricot", "the accepted fruit")
    wait_for(lambda: not shown("ZelHintWindow"), "the lookup list to close")

    # Closing the window keeps both texts; the next run shows them again.
    assert wintool("close", CLASS) is not None
    proc.wait(timeout=60)
    kept = (tmp_path / "demo.ini").read_bytes().decode("utf-8")
    assert "Amount=1,234,567" in kept and "Fruit=Apricot" in kept
    proc = start()
    try:
        wait_for(lambda: [f["text"] for f in fields()[1:]] == ["1,234,567", "Apricot"],
                 "the kept texts in the second run")
    finally:
        proc.terminate()
        proc.wait(timeout=60)
