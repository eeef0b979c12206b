"""The options of the settings file's Options section, as users switch them on: the hotkey, the
paste into the window they were typing in, the Japanese-aware search, escapes and variables.
Without them the program behaves and writes its settings file exactly as it always did."""
import datetime
import subprocess

import pytest

from conftest import (BOM, WINE_RUN, click, clipboard_text, set_clipboard_text, wait_for,
                      wintool, xdotool)
from test_phrases import write_list
from test_search import click_search_field, row_count, search_field

SYSTEM = "[System]\r\nForm1Top2=40\r\nForm1Left2=50\r\nForm1ClientWidth2=372\r\nForm1ClientHeight2=320\r\n\r\n"


def with_options(program, *lines):
    program.settings.write_bytes(BOM + (SYSTEM + "[Options]\r\n" + "".join(
        line + "\r\n" for line in lines) + "\r\n").encode())


def started(program):
    program.start()
    return program.wait_window()


def test_without_options_the_settings_file_is_written_as_always_and_options_stay(programs):
    velmora = programs("Velmora")
    velmora.settings.write_bytes(BOM + SYSTEM.encode())
    started(velmora)
    velmora.close()
    velmora.wait_exit()
    plain = velmora.settings.read_bytes()

    options = "[Options]\r\nEscapes=1\r\nSearchIgnoreKana=1\r\n\r\n"
    velmora.settings.write_bytes(BOM + (SYSTEM + options).encode())
    started(velmora)
    velmora.close()
    velmora.wait_exit()
    assert velmora.settings.read_bytes() == plain + options.encode()


def test_an_unreadable_value_is_reported_once_and_the_program_runs(programs):
    velmora = programs("Velmora")
    write_list(velmora, ["a\\nb"])
    with_options(velmora, "PasteOnClick=2", "Escapes=1")
    velmora.start()
    box = wait_for(velmora.dialog, "the report of the unreadable option")
    assert box["text"] == ("設定ファイルの [Options] にある PasteOnClick=2 を読み取れません。"
                           "このオプションは使われません。")
    velmora.dismiss_dialog()
    velmora.wait_window()
    assert velmora.dialog() is None
    set_clipboard_text("before")
    velmora.click_row(0)  # Escapes still took effect
    wait_for(lambda: clipboard_text() in ("a\nb", "a\r\nb"), "the two-line text")


def test_escapes_copy_line_breaks_and_tabs(programs):
    velmora = programs("Velmora")
    write_list(velmora, ["Dear all,\\n\\tthanks [to the team] \\\\o/"])
    with_options(velmora, "Escapes=1")
    started(velmora)
    set_clipboard_text("before")
    velmora.click_row(0)
    text = wait_for(lambda: (t := clipboard_text()) != "before" and t, "the phrase copied")
    assert text.replace("\r\n", "\n") == "Dear all,\n\tthanks \\o/"


def test_variables_are_filled_in_when_copied(programs):
    velmora = programs("Velmora")
    write_list(velmora, ["Year {date:yyyy} [note] {{ok}} {unknown}", "from [x] {clipboard}!"])
    with_options(velmora, "Variables=1")
    started(velmora)
    year = datetime.date.today().year
    set_clipboard_text("before")
    velmora.click_row(0)
    wait_for(lambda: clipboard_text() in (f"Year {year} {{ok}} {{unknown}}",
                                          f"Year {year + 1} {{ok}} {{unknown}}"),
             "the year filled in")
    set_clipboard_text("held text")
    velmora.click_row(1)
    wait_for(lambda: clipboard_text() == "from held text!", "the clipboard filled in")


def test_the_kana_option_lets_hiragana_find_katakana(programs):
    velmora = programs("Velmora")
    write_list(velmora, ["ミーティング資料", "ﾐｰﾃｨﾝｸﾞ", "会議"])
    with_options(velmora, "SearchIgnoreKana=1", "SearchIgnoreWidth=1")
    started(velmora)
    set_clipboard_text("みーてぃんぐ")
    click_search_field(velmora)
    xdotool("key", "--clearmodifiers", "ctrl+v")
    row_count(velmora, 2, "both spellings of the katakana word")


def notepad_text():
    return (wintool("edittext", "Notepad") or {}).get("text")


@pytest.fixture
def notepad(tmp_path):
    """Notepad beside our window, holding a line the user was typing."""
    proc = subprocess.Popen([str(WINE_RUN), "notepad"], cwd=tmp_path, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: (w := wintool("find", "Notepad")) and w["visible"], "Notepad")
    assert wintool("move", "Notepad", "500", "0", "400", "300") is not None
    yield proc
    # Notepad would ask about the typed text: it is ended outright.
    subprocess.run([str(WINE_RUN), "taskkill", "/f", "/im", "notepad.exe"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    wait_for(lambda: wintool("find", "Notepad") is None, "Notepad to close")
    proc.wait(timeout=60)


def type_into_notepad(text):
    n = wintool("find", "Notepad")
    click(n["left"] + n["width"] // 2, n["top"] + n["height"] // 2)
    wait_for(lambda: (w := wintool("find", "Notepad")) and w["foreground"], "Notepad in front")
    xdotool("type", "--delay", "50", text)
    wait_for(lambda: notepad_text() == text, "the typed text in Notepad")


@pytest.mark.other_programs
@pytest.mark.parametrize("paste", [True, False])
def test_paste_on_click_puts_the_phrase_where_the_user_was_typing(programs, notepad, paste):
    velmora = programs("Velmora")
    write_list(velmora, ["Regards [formal]", "Thanks"])
    if paste:
        with_options(velmora, "PasteOnClick=1")
    w = started(velmora)
    velmora.move(0, 0, w["width"], w["height"])
    type_into_notepad("Hello ")
    set_clipboard_text("before")
    velmora.click_row(1)
    wait_for(lambda: clipboard_text() == "Thanks", "the phrase on the clipboard")
    if paste:
        wait_for(lambda: notepad_text() == "Hello Thanks", "the phrase pasted into Notepad")
    else:
        assert notepad_text() == "Hello "


@pytest.mark.other_programs
def test_the_hotkey_brings_the_search_field_and_sends_the_window_back(programs, notepad):
    velmora = programs("Velmora")
    write_list(velmora, ["alpha", "beta", "gamma"])
    with_options(velmora, "HotKey=Ctrl+Alt+V")
    w = started(velmora)
    velmora.move(0, 0, w["width"], w["height"])
    type_into_notepad("x")
    xdotool("key", "--clearmodifiers", "ctrl+alt+v")
    velmora.wait_in_front()
    xdotool("type", "--delay", "60", "gam")  # the search field has the keyboard
    wait_for(lambda: search_field(velmora)["text"] == "gam", "the typed search")
    row_count(velmora, 1, "the one match")
    xdotool("key", "--clearmodifiers", "ctrl+alt+v")
    wait_for(lambda: (n := wintool("find", "Notepad")) and n["foreground"], "Notepad back in front")
    assert notepad_text() == "x"
