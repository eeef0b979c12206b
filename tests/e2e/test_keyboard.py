"""The keyboard as users meet it: the arrow keys reach the phrases without a click first, at
start (from the search field, which has the keyboard) and after the user went to another
program and came back."""
import pytest

from conftest import clipboard_text, set_clipboard_text, wait_for, xdotool


def switch_to(program):
    """What Alt+Tab does for the user: the other program's window comes to the front and gets
    the keyboard. Without a window manager nothing answers Alt+Tab itself, so a click on the
    window's title bar makes the switch."""
    program.click_caption()
    program.wait_in_front()


def key(name):
    """A key to whichever window has the keyboard."""
    xdotool("key", "--clearmodifiers", name)


@pytest.mark.other_programs
def test_arrow_keys_move_in_the_list_at_start_and_after_coming_back(programs):
    velmora, tamsorn = programs("Velmora"), programs("Tamsorn")
    (velmora.folder / "Velmora_LIST.txt").write_bytes(
        "first [note] line\r\nsecond\r\nthird".encode())
    set_clipboard_text("before")
    velmora.start()
    w = velmora.wait_window()
    velmora.wait_in_front()
    key("Down")
    wait_for(lambda: clipboard_text() == "first line", "the first row on the clipboard")
    assert velmora.rows()["selected"] == 0

    tamsorn.start()
    tamsorn.wait_window()
    velmora.move(0, 0, w["width"], w["height"])
    tamsorn.move(w["width"] + 40, 0, w["width"], w["height"])
    switch_to(tamsorn)
    switch_to(velmora)
    key("Down")
    wait_for(lambda: clipboard_text() == "second", "the second row on the clipboard")
    assert velmora.rows()["selected"] == 1

    # Tab goes round the window's tab stops to the search field; typing there filters, and
    # Down takes the keyboard to the first row that is left and copies it.
    key("Tab")
    xdotool("type", "--delay", "60", "thi")
    wait_for(lambda: velmora.rows()["count"] == 1, "the one row with 'thi'")
    key("Down")
    wait_for(lambda: clipboard_text() == "third", "the third row on the clipboard")
    # Escape in the rows returns to the field, where Escape empties the search.
    key("Escape")
    key("Escape")
    wait_for(lambda: velmora.rows()["count"] == 3, "every row back")
