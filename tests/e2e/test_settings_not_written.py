"""Closing when the settings file cannot be written: the user is told, the window stays open,
and a later close, once the cause is gone, saves and ends. Under Wine as root, permissions do
not stop a write, so the causes here are a folder in the file's place, another program that
holds the file open, and a write that fails half-way."""
import resource
import signal

import pytest

from conftest import BOM, held_by_another_program, press_keys, wait_for, windows_path

SAVED_START = BOM + b"[System]\r\nForm1Top2="


def create_failure(program):
    return f"ファイル \"{windows_path(program.settings)}\" を作成できません。"


def open_failure(program):
    return f"ファイル {windows_path(program.settings)} は開けません。 "


def started(program):
    program.start()
    program.wait_window()
    return program


def close_fails_and_the_window_stays(program, message_start):
    program.close()
    box = wait_for(program.dialog, "the error box at closing")
    assert box["icon"]
    assert box["text"].startswith(message_start), box["text"]
    press_keys(program.name, "Return")
    wait_for(lambda: program.dialog() is None, "the error box to go")
    assert program.processes[0].poll() is None and program.window()["visible"]


def close_saves_and_ends(program, saved_start=SAVED_START):
    program.close()
    assert program.wait_exit() == 0
    assert program.settings.read_bytes().startswith(saved_start)


def test_a_folder_in_the_place_of_the_settings_file(programs):
    velmora = started(programs("Velmora"))
    velmora.settings.mkdir()
    close_fails_and_the_window_stays(velmora, create_failure(velmora))
    velmora.settings.rmdir()
    close_saves_and_ends(velmora)


@pytest.mark.parametrize("share, message", [("read", create_failure), ("none", open_failure)])
def test_a_settings_file_another_program_holds_open(programs, tmp_path, share, message):
    """Shared for reading only, the file is read and cannot be replaced; not shared at all, it
    cannot even be read."""
    velmora = started(programs("Velmora"))
    velmora.settings.write_bytes(BOM + b"[System]\r\nForm1Top2=7\r\n\r\n")
    with held_by_another_program(tmp_path, "holdfile", str(windows_path(velmora.settings)), share):
        close_fails_and_the_window_stays(velmora, message(velmora))
    assert velmora.settings.read_bytes() == BOM + b"[System]\r\nForm1Top2=7\r\n\r\n"
    close_saves_and_ends(velmora)


def limit_file_size():
    """Files this process writes stop growing at 1 KiB; a write beyond fails, as on a full disk
    (the signal that would end the process instead is ignored)."""
    signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
    resource.setrlimit(resource.RLIMIT_FSIZE, (1024, 1024))


def test_a_write_that_fails_half_way_leaves_the_old_settings_file(programs):
    velmora = programs("Velmora")
    old = BOM + b"[Other]\r\n" + b"".join(b"key%d=%s\r\n" % (i, b"x" * 60) for i in range(40))
    old += b"\r\n[System]\r\nForm1Top2=7\r\n\r\n"
    velmora.settings.write_bytes(old)
    velmora.start(preexec_fn=limit_file_size)
    velmora.wait_window()
    close_fails_and_the_window_stays(velmora, create_failure(velmora))
    assert velmora.settings.read_bytes() == old
    assert [p.name for p in velmora.folder.iterdir() if p.name.endswith(".tmp")] == []

    # Without the long section, the whole file fits.
    velmora.settings.write_bytes(BOM + b"[Other]\r\nkeep=me\r\n\r\n[System]\r\nForm1Top2=7\r\n")
    close_saves_and_ends(velmora, BOM + b"[Other]\r\nkeep=me\r\n\r\n[System]\r\nForm1Top2=")
