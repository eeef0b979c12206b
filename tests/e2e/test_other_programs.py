"""The buttons that start other programs: Notepad on the phrase list, and the sibling."""
import pytest

from conftest import BOM, clipboard_text, set_clipboard_text, wait_for, windows_processes, wintool

EDIT_MESSAGE = "\n\r".join([
    "リストの編集を行います。",
    "",
    "メモ帳が起動するので内容を編集したら、",
    "上書き保存し、メモ帳を閉じてください。",
    "その後、[リスト再読込]をクリックすると、",
    "変更内容がリストに反映されます。",
    "",
    "【留意事項】",
    "1. 行頭を◆で始めることでアイコンの色が変わります。",
    "2. []内の文字はコピーされません。説明用にどうぞ。",
])


@pytest.fixture
def notepad():
    """Notepad, as the edit button starts it; closed at the end."""
    yield lambda: wintool("find", "Notepad")
    if wintool("find", "Notepad"):
        wintool("close", "Notepad")
        wait_for(lambda: wintool("find", "Notepad") is None, "Notepad to close")


def side_by_side(left, right):
    """Places two programs' windows next to each other, so that neither covers the other."""
    w = left.window()
    left.move(0, 0, w["width"], w["height"])
    right.move(w["width"] + 40, 0, w["width"], w["height"])


@pytest.mark.other_programs
def test_the_edit_button_explains_then_opens_the_list_in_notepad(programs, notepad):
    velmora = programs("Velmora")
    content = "◆見出し\r\nphrase [note]\r\n"
    # With its byte-order mark, Notepad too reads the file as UTF-8.
    (velmora.folder / "Velmora_LIST.txt").write_bytes(BOM + content.encode())
    velmora.start()
    velmora.wait_window()
    velmora.click_child("リスト編集")
    assert wait_for(velmora.dialog, "the explanation") == {"text": EDIT_MESSAGE, "icon": False}
    assert notepad() is None, "Notepad opens only after OK"
    velmora.dismiss_dialog()
    wait_for(lambda: (w := notepad()) and w["title"].startswith("Velmora_LIST.txt"),
             "Notepad on the list file")
    assert wait_for(lambda: wintool("edittext", "Notepad"), "Notepad's text")["text"] == content
    assert velmora.processes[0].poll() is None, "the program does not wait for Notepad"


@pytest.mark.other_programs
def test_the_sibling_button_starts_tamsorn_from_its_own_folder(programs, tmp_path):
    velmora, tamsorn = programs("Velmora"), programs("Tamsorn")
    (tamsorn.folder / "Tamsorn_LIST.txt").write_bytes("t1\r\nt2\r\nt3".encode())
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    velmora.start(cwd=elsewhere)
    velmora.wait_window()
    velmora.click_child("Tamsornを起動")
    w = wait_for(lambda: (w := tamsorn.window()) and w["visible"] and w, "Tamsorn's window")
    assert w["title"] == "Tamsorn 1.40"
    assert wait_for(tamsorn.rows, "Tamsorn's list")["count"] == 3
    assert len(windows_processes("Tamsorn.exe")) == 1
    tamsorn.close()
    wait_for(lambda: tamsorn.count() == 0, "Tamsorn to end")
    assert tamsorn.settings.exists() and not (elsewhere / tamsorn.settings.name).exists()


@pytest.mark.other_programs
def test_with_tamsorn_running_the_sibling_button_brings_it_to_the_front(programs):
    velmora, tamsorn = programs("Velmora"), programs("Tamsorn")
    velmora.start()
    velmora.wait_window()
    tamsorn.start()
    tamsorn.wait_window()
    side_by_side(velmora, tamsorn)
    velmora.click_caption()
    velmora.wait_in_front()

    velmora.click_child("Tamsornを起動")
    tamsorn.wait_in_front()  # only the second copy, handing over, puts Tamsorn in front
    wait_for(lambda: len(windows_processes("Tamsorn.exe")) == 1, "the second copy to end")
    assert tamsorn.count() == 1
    assert tamsorn.processes[0].poll() is None and velmora.processes[0].poll() is None


def test_a_missing_sibling_shows_nothing_and_the_program_goes_on(programs):
    velmora = programs("Velmora")
    (velmora.folder / "Velmora_LIST.txt").write_bytes(b"first\r\nsecond")
    (velmora.folder / "Tamsorn.exe").unlink()
    velmora.start()
    velmora.wait_window()
    set_clipboard_text("before")
    velmora.click_child("Tamsornを起動")
    # The program handles the next click only after the button's.
    velmora.click_row(1)
    wait_for(lambda: clipboard_text() == "second", "the second row on the clipboard")
    assert wintool("count", "#32770")["count"] == 0, "no message box"
    assert wintool("count", "TForm3")["count"] == 0
    assert velmora.processes[0].poll() is None and velmora.window()["visible"]
