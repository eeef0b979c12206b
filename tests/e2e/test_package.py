"""The release as users get it: the zip made by scripts/package.sh, unpacked into a folder of
its own, and Velmora started from there."""
import hashlib
import re
import subprocess
import zipfile

import pytest

from conftest import ROOT, Program, wait_for, windows_path, wintool

VERSION = re.search(r"project\(Velmora VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text())[1]
NAME = f"Velmora-Tamsorn-{VERSION}-win64.zip"
CONTENTS = ["Velmora.exe", "Tamsorn.exe", "Velmora_LIST_tmp.txt", "Tamsorn_LIST_tmp.txt",
            "README.txt"]


def package(out):
    subprocess.run([str(ROOT / "scripts" / "package.sh"), str(out)], check=True,
                   stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=1800)
    return out / NAME


@pytest.fixture
def unpacked_velmora(tmp_path):
    zip_path = package(tmp_path / "dist")
    folder = tmp_path / "Velmora"
    with zipfile.ZipFile(zip_path) as archive:
        archive.extractall(folder)
    velmora = Program(folder, "Velmora")
    yield zip_path, velmora
    velmora.stop()


def test_the_zip_unpacks_and_velmora_starts_from_it(unpacked_velmora, tmp_path):
    zip_path, velmora = unpacked_velmora
    with zipfile.ZipFile(zip_path) as archive:
        assert archive.namelist() == CONTENTS
        readme = archive.read("README.txt")
        assert readme.startswith("\ufeffVelmora / Tamsorn".encode())
        assert "オプション".encode() in readme and b"\r\n" in readme
    digest = hashlib.sha256(zip_path.read_bytes()).hexdigest()
    assert (tmp_path / "dist" / (NAME + ".sha256")).read_text() == f"{digest}  {NAME}\n"

    assert wintool("version", windows_path(velmora.exe)) == {
        "FileVersion": VERSION, "ProductVersion": VERSION, "ProductName": "Velmora",
        "FileDescription": "Velmora - 定型文をクリックでクリップボードへ",
        "OriginalFilename": "Velmora.exe"}
    velmora.start()
    w = velmora.wait_window()
    assert w["title"] == f"Velmora {VERSION}"
    template = (velmora.folder / "Velmora_LIST_tmp.txt").read_bytes()
    assert (velmora.folder / "Velmora_LIST.txt").read_bytes() == template
    assert wait_for(velmora.rows, "the list")["count"] == len(
        template.decode("utf-8-sig").splitlines())


def test_the_same_commit_gives_the_same_zip(tmp_path):
    first = package(tmp_path / "first").read_bytes()
    assert package(tmp_path / "second").read_bytes() == first
