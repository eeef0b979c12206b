"""The phrase list as users meet it: choose a line and paste it, edit and reload the list."""
import pytest

from conftest import clipboard_text, held_by_another_program, set_clipboard_text, wait_for

INVALID_UTF8 = "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません."

# Each line and the text a click on it copies. No two empty copies follow each other, so that
# every click changes the clipboard.
LINES = [
    ("◆あいさつ", ""),
    ("Thanks [note] a lot", "Thanks a lot"),
    ("Thanks [note]", "Thanks "),
    ("[a] x [b] y", "y"),
    ("[a] x [b]y", "x y"),
    ("a ] b [ c", "a ] b [ c"),
    ("お疲れさまです。[社内向け]\u3000以上", "お疲れさまです。以上"),
    ("[only a note]", ""),
    ("  最後の行  ", "  最後の行  "),
    ("◆つぎ", ""),
]


def write_list(program, lines, encoding="utf-8"):
    (program.folder / f"{program.name}_LIST.txt").write_bytes("\r\n".join(lines).encode(encoding))


def started(program):
    program.start()
    program.wait_window()
    return program


def test_clicking_each_row_copies_the_line_without_its_note(programs):
    velmora = programs("Velmora")
    write_list(velmora, [line for line, _ in LINES])
    started(velmora)
    assert wait_for(lambda: velmora.rows(), "the list")["count"] == len(LINES)
    set_clipboard_text("before")
    for row, (line, copied) in enumerate(LINES):
        velmora.click_row(row)
        wait_for(lambda: clipboard_text() == copied, f"{copied!r} on the clipboard from {line!r}")
        assert velmora.rows()["selected"] == row


def test_reload_shows_the_edited_file(programs):
    tamsorn = programs("Tamsorn")
    write_list(tamsorn, ["one", "two"])
    started(tamsorn)
    assert tamsorn.rows()["count"] == 2
    write_list(tamsorn, ["one", "two", "◆new", "three [x] four"])
    tamsorn.click_child("リスト再読込")
    wait_for(lambda: tamsorn.rows()["count"] == 4, "the reloaded rows")
    tamsorn.click_row(3)
    wait_for(lambda: clipboard_text() == "three four", "the new line on the clipboard")


@pytest.mark.parametrize("list_present", [True, False])
def test_missing_template_is_reported_and_the_program_ends(programs, list_present):
    velmora = programs("Velmora")
    if list_present:
        write_list(velmora, ["kept"])
    (velmora.folder / "Velmora_LIST_tmp.txt").unlink()
    velmora.start()
    box = wait_for(velmora.dialog, "the template message")
    assert box == {"text": "Velmora_LIST_tmp.txt が見つかりません。アプリを終了します。",
                   "icon": False}
    velmora.dismiss_dialog()
    assert velmora.wait_exit() == 0
    assert (velmora.folder / "Velmora_LIST.txt").exists() == list_present


def test_first_start_copies_the_template(programs):
    velmora = programs("Velmora")
    started(velmora)
    template = (velmora.folder / "Velmora_LIST_tmp.txt").read_bytes()
    assert (velmora.folder / "Velmora_LIST.txt").read_bytes() == template
    assert velmora.rows()["count"] == len(template.decode("utf-8-sig").splitlines())


def test_shift_jis_list_is_reported_and_the_list_stays_empty(programs):
    velmora = programs("Velmora")
    write_list(velmora, ["あいさつ", "お礼"], encoding="shift_jis")
    velmora.start()
    box = wait_for(velmora.dialog, "the UTF-8 error")
    assert box == {"text": INVALID_UTF8, "icon": True}
    velmora.dismiss_dialog()
    velmora.wait_window()
    assert velmora.rows()["count"] == 0


def test_a_held_clipboard_is_reported_and_keeps_its_content(programs, tmp_path):
    velmora = programs("Velmora")
    write_list(velmora, ["first", "second"])
    started(velmora)
    velmora.click_row(0)
    wait_for(lambda: clipboard_text() == "first", "the first line on the clipboard")

    with held_by_another_program(tmp_path, "holdclipboard"):
        velmora.click_row(1)
        box = wait_for(velmora.dialog, "the clipboard error")
        assert box["icon"]
        assert box["text"].startswith("クリップボード ") and box["text"].endswith(" を開けません.")
        velmora.dismiss_dialog()
    assert clipboard_text() == "first"
