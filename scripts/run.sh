#!/usr/bin/env bash
# Builds both programs and starts Velmora from its program folder (build/win64/program, with
# the phrase-list templates beside the programs) under Wine. Without a display it starts a
# virtual one, waits for the window, saves a screenshot and prints its path.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if [ -z "${ZEL_RUN_BUILT:-}" ]; then
    source scripts/setup.sh
    zel_install_packages
    cmake --preset win64 --log-level=WARNING >/dev/null
    cmake --build --preset win64 -j "$(nproc)" --target Velmora Tamsorn >/dev/null
    export ZEL_RUN_BUILT=1
fi
source scripts/wine-env.sh
zel_wine_prefix_ready
folder="$root/build/win64/program"

if [ -z "${ZEL_RUN_HEADLESS:-}" ]; then
    if [ -n "${DISPLAY:-}" ]; then
        cd "$folder"
        exec wine ./Velmora.exe
    fi
    ZEL_RUN_HEADLESS=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0"
fi

# Headless: show that it runs, then close it as a user would.
cd "$folder"
wine ./Velmora.exe &
window=""
for _ in $(seq 1 600); do
    window=$(xdotool search --name '^Velmora 1\.40$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "Velmora's window did not appear" >&2; exit 1; }
shot="$root/build/velmora-screenshot.png"
# The first paint follows the window's mapping: wait until the window is viewable.
for _ in $(seq 1 50); do
    xwininfo -id "$window" 2>/dev/null | grep -q 'IsViewable' && break
    sleep 0.1
done
import -window "$window" "$shot"
echo "Velmora ran; screenshot: $shot"
xdotool windowfocus "$window"
xdotool key --clearmodifiers alt+F4
wait
