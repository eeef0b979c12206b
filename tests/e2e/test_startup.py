"""Start-up, single instance, placement and the settings file, as users meet them."""
import math

from conftest import BOM, press_keys, wait_for

DESIGN_CLIENT = (356, 320)


def expected_default(workarea, frame, offset):
    outer_w = DESIGN_CLIENT[0] + frame["width"]
    outer_h = DESIGN_CLIENT[1] + frame["height"]
    return (math.floor(workarea["height"] / 2 - outer_h / 2) + offset,
            math.floor(workarea["width"] / 2 - outer_w / 2) + offset)


def saved(top, left, w, h, keys="Form1"):
    return (f"[System]\r\n{keys}Top2={top}\r\n{keys}Left2={left}\r\n"
            f"{keys}ClientWidth2={w}\r\n{keys}ClientHeight2={h}\r\n\r\n").encode()


def test_first_start_is_centred_with_default_client_size(programs, workarea, frame):
    for name, offset in (("Velmora", 0), ("Tamsorn", 50)):
        program = programs(name)
        program.start()
        w = program.wait_window()
        assert w["title"] == f"{name} 1.40"
        assert w["topmost"]
        assert (w["clientWidth"], w["clientHeight"]) == (372, 320)
        assert (w["top"], w["left"]) == expected_default(workarea, frame, offset)
        program.close()
        assert program.wait_exit() == 0


def test_closing_saves_placement_byte_exact_and_next_start_restores_it(programs):
    velmora = programs("Velmora")
    velmora.start()
    velmora.wait_window()
    velmora.move(100, 120, 500, 400)
    w = wait_for(lambda: (w := velmora.window()) and w["left"] == 100 and w, "the moved window")
    velmora.close()
    assert velmora.wait_exit() == 0
    assert velmora.settings.read_bytes() == BOM + saved(120, 100, w["clientWidth"], w["clientHeight"])

    velmora.start()
    again = velmora.wait_window()
    assert (again["left"], again["top"], again["width"], again["height"]) == (100, 120, 500, 400)


def test_closing_while_minimised_saves_the_restored_placement(programs):
    tamsorn = programs("Tamsorn")
    tamsorn.start()
    tamsorn.wait_window()
    tamsorn.move(40, 60, 420, 380)
    w = wait_for(lambda: (w := tamsorn.window()) and w["left"] == 40 and w, "the moved window")
    tamsorn.minimize()
    wait_for(lambda: tamsorn.window()["iconic"], "Tamsorn to be minimised")
    tamsorn.close()
    assert tamsorn.wait_exit() == 0
    assert tamsorn.settings.read_bytes() == BOM + saved(60, 40, w["clientWidth"], w["clientHeight"],
                                                        keys="Form3")


def test_settings_keep_foreign_sections_and_read_other_letter_case(programs):
    velmora = programs("Velmora")
    velmora.settings.write_bytes(b"; mine\r\n[Other]\r\nkeep = me\r\n[system]\r\nform1top2=0x20\r\n"
                                 b"Form1Left2=-$10\r\n")
    velmora.start()
    w = velmora.wait_window()
    assert (w["top"], w["left"]) == (32, -16)
    velmora.close()
    assert velmora.wait_exit() == 0
    assert velmora.settings.read_bytes() == (
        BOM + b"[Other]\r\nkeep=me\r\n\r\n[system]\r\nForm1Top2=32\r\nForm1Left2=-16\r\n"
        + f"Form1ClientWidth2={w['clientWidth']}\r\nForm1ClientHeight2={w['clientHeight']}\r\n\r\n".encode())


def test_second_start_restores_the_minimised_copy_and_ends(programs):
    velmora = programs("Velmora")
    velmora.start()
    velmora.wait_window()
    velmora.minimize()
    wait_for(lambda: velmora.window()["iconic"], "Velmora to be minimised")

    second = velmora.start()
    assert second.wait(timeout=60) == 0
    w = wait_for(lambda: (w := velmora.window()) and not w["iconic"] and w, "the restored window")
    assert w["visible"]
    assert velmora.count() == 1


def test_velmora_and_tamsorn_run_side_by_side(programs):
    velmora, tamsorn = programs("Velmora"), programs("Tamsorn")
    velmora.start()
    velmora.wait_window()
    tamsorn.start()
    tamsorn.wait_window()
    assert velmora.count() == 1 and tamsorn.count() == 1
    assert velmora.processes[0].poll() is None and tamsorn.processes[0].poll() is None


def test_unreadable_settings_are_reported_and_nothing_is_lost(programs):
    velmora = programs("Velmora")
    velmora.settings.write_bytes(b"[System]\r\nForm1Top2=\x82\xa0\r\n")  # Shift-JIS, not UTF-8
    velmora.start()
    box = wait_for(velmora.dialog, "the error box at start")
    assert box["text"] == "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません."
    assert box["icon"]
    press_keys("Velmora", "Return")
    w = velmora.wait_window()
    assert (w["left"], w["top"]) == (0, 0), "placement skipped: the design position"
    assert w["clientWidth"] == DESIGN_CLIENT[0]

    # Closing cannot read the file either: reported, and the window stays open.
    velmora.close()
    wait_for(velmora.dialog, "the error box at closing")
    press_keys("Velmora", "Return")
    wait_for(lambda: velmora.dialog() is None, "the error box to go")
    assert velmora.processes[0].poll() is None and velmora.window()["visible"]

    # Once the file is readable again, a later close saves.
    velmora.settings.unlink()
    velmora.close()
    assert velmora.wait_exit() == 0
    assert velmora.settings.read_bytes().startswith(BOM + b"[System]\r\nForm1Top2=0\r\n")
