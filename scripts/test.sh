#!/usr/bin/env bash
# Builds every preset and runs every test: native, native with sanitizers, and Windows x64
# (Win32 and end-to-end tests under Wine on a virtual display); then builds the Windows
# programs with clang too. Ends with one summary line.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/setup.sh
zel_install_packages || { echo "summary: package installation failed"; exit 1; }
source scripts/wine-env.sh

jobs=$(nproc)
passed=0
failed=0
broken=()
for preset in native native-asan win64; do
    echo "=== $preset"
    if ! cmake --preset "$preset" --log-level=WARNING; then
        broken+=("$preset:configure")
        continue
    fi
    if ! cmake --build --preset "$preset" -j "$jobs"; then
        broken+=("$preset:build")
        continue
    fi
    run=(ctest --preset "$preset" -j "$jobs")
    if [ "$preset" = win64 ]; then
        zel_wine_prefix_ready
        # A Wine session left from another display would answer slowly: start afresh, with
        # one server that stays up for the whole run instead of one per gap between tests.
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
        wineserver -p
        run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
    fi
    out=$("${run[@]}" 2>&1)
    status=$?
    [ "$preset" = win64 ] && wineserver -k 2>/dev/null
    echo "$out"
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' <<<"$out" | tail -n 1)
    if [ -n "$line" ]; then
        f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        t=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + t - f))
        failed=$((failed + f))
    fi
    [ $status -eq 0 ] || broken+=("$preset:test")
done
# The Windows programs built by a second compiler (clang for mingw-w64, -Wpedantic): only
# built, as the tests above already ran the same code.
echo "=== win64-clang"
if ! { cmake --preset win64-clang --log-level=WARNING &&
       cmake --build --preset win64-clang -j "$jobs"; }; then
    broken+=("win64-clang:build")
fi
[ "${#broken[@]}" -eq 0 ] || echo "not green: ${broken[*]}"
echo "summary: $passed passed, $failed failed"
[ "${#broken[@]}" -eq 0 ] && [ "$failed" -eq 0 ]
