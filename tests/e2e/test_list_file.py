"""The phrase list file going away while the program runs."""
from conftest import wait_for, windows_path


def test_reload_after_the_list_file_was_deleted_reports_it_and_empties_the_list(programs):
    velmora = programs("Velmora")
    list_file = velmora.folder / "Velmora_LIST.txt"
    list_file.write_bytes("one\r\ntwo\r\nthree".encode())
    velmora.start()
    velmora.wait_window()
    assert wait_for(velmora.rows, "the list")["count"] == 3

    list_file.unlink()
    velmora.click_child("リスト再読込")
    box = wait_for(velmora.dialog, "the open failure")
    assert box["icon"]
    # The path, the system's text, and a final blank (so no period is added).
    start = f"ファイル {windows_path(list_file)} は開けません。 "
    assert box["text"].startswith(start) and box["text"].endswith(" ")
    assert len(box["text"].strip()) > len(start.strip())
    velmora.dismiss_dialog()
    assert velmora.rows()["count"] == 0
    assert velmora.processes[0].poll() is None and velmora.window()["visible"]
