"""Searching the phrases as users do: type into the field above the list, pick a row, paste."""
from conftest import (click, clipboard_text, set_clipboard_text, wait_for, wintool, x_window,
                      xdotool)
from test_phrases import started, write_list

PHRASES = ["◆あいさつ", "Thanks [note] a lot", "Regards", "お疲れさまです。[社内向け] 以上",
           "thanks again", "◆お礼", "Best regards [formal]", "お疲れ様でした"]


def search_field(program):
    children = wintool("children", program.class_name)["children"]
    return next(c for c in children if c["class"] == "Edit")


def click_search_field(program):
    field = search_field(program)
    xdotool("windowfocus", wait_for(lambda: x_window(program.window()["title"]), "the X window"))
    click(field["left"] + field["width"] // 2, field["top"] + field["height"] // 2)


def row_count(program, count, what):
    wait_for(lambda: program.rows()["count"] == count, what)


def test_typing_filters_escape_restores_and_a_filtered_row_copies(programs):
    velmora = programs("Velmora")
    write_list(velmora, PHRASES)
    started(velmora)
    row_count(velmora, len(PHRASES), "every phrase")

    click_search_field(velmora)
    xdotool("type", "--delay", "60", "regards")
    row_count(velmora, 2, "the two phrases with 'regards'")
    assert search_field(velmora)["text"] == "regards"

    xdotool("key", "--clearmodifiers", "Escape")
    row_count(velmora, len(PHRASES), "every phrase back")
    assert search_field(velmora)["text"] == ""
    assert velmora.rows()["selected"] == -1

    xdotool("type", "--delay", "60", "thanks")
    row_count(velmora, 2, "the two phrases with 'thanks'")
    set_clipboard_text("before")
    velmora.click_row(1)
    wait_for(lambda: clipboard_text() == "thanks again", "the second filtered phrase copied")

    # Back in the field, select everything and type one letter: filtered by it at once.
    click_search_field(velmora)
    xdotool("key", "--clearmodifiers", "ctrl+a")
    xdotool("type", "b")
    wait_for(lambda: search_field(velmora)["text"] == "b", "the letter alone in the field")
    row_count(velmora, 1, "the one phrase with a 'b'")


def test_a_japanese_search_text_filters_and_copies_without_the_note(programs):
    velmora = programs("Velmora")
    write_list(velmora, PHRASES)
    started(velmora)
    # Japanese text reaches the field as users without an input method bring it: pasted.
    set_clipboard_text("お疲れ")
    click_search_field(velmora)
    xdotool("key", "--clearmodifiers", "ctrl+v")
    row_count(velmora, 2, "the two phrases with お疲れ")
    velmora.click_row(0)
    wait_for(lambda: clipboard_text() == "お疲れさまです。以上", "the phrase without its note")
