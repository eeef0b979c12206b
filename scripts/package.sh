#!/usr/bin/env bash
# Builds the Windows programs and writes the release users download:
# dist/Velmora-Tamsorn-<version>-win64.zip (both programs, their phrase-list templates and
# README.txt) and its SHA-256 checksum beside it. The same commit gives the same bytes: the
# programs carry no build time (the linker is told so) and, stripped, no debug information;
# the zip's entries have a fixed order, time and mode.
#
#   scripts/package.sh [output folder]      (default: dist)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
out=$(mkdir -p "${1:-dist}" && cd "${1:-dist}" && pwd)

source scripts/setup.sh
zel_install_packages
version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cmake --preset win64 --log-level=WARNING >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target Velmora Tamsorn >/dev/null

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
for program in Velmora Tamsorn; do
    x86_64-w64-mingw32-strip -o "$staging/$program.exe" "build/win64/program/$program.exe"
    cp "res/${program}_LIST_tmp.txt" "$staging/"
done
cp res/README.txt "$staging/"
zip="$out/Velmora-Tamsorn-$version-win64.zip"
python3 scripts/release_zip.py "$zip" "$staging/Velmora.exe" "$staging/Tamsorn.exe" \
    "$staging/Velmora_LIST_tmp.txt" "$staging/Tamsorn_LIST_tmp.txt" "$staging/README.txt"
echo "$zip"
