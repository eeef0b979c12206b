# Sourced: the Wine settings every script and test shares.
zel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZEL_WINEPREFIX:-$zel_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEARCH=win64
# No prompt to install Mono or Gecko: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

zel_wine_prefix_ready() {
    if [ ! -f "$WINEPREFIX/.zel-ready" ]; then
        mkdir -p "$WINEPREFIX"
        (
            # Several ctest processes may start at once: one creates the prefix.
            flock 9
            if [ ! -f "$WINEPREFIX/.zel-ready" ]; then
                wineboot --init >/dev/null 2>&1 || true
                # Wine draws the window frames itself, so windows look and measure the same
                # with or without a window manager.
                wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
                # A program that crashes ends at once with its backtrace on standard error,
                # instead of waiting behind a dialog that nobody closes.
                wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 \
                    /f >/dev/null 2>&1 || true
                wineserver --wait || true
                touch "$WINEPREFIX/.zel-ready"
            fi
        ) 9>"$WINEPREFIX.lock"
    fi
}
