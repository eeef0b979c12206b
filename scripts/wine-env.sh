# Sourced: the Wine settings every script and test shares.
zel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZEL_WINEPREFIX:-$zel_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEARCH=win64
# No prompt to install Mono or Gecko: the programs need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Raised whenever the settings below change: an older prefix then gets them once.
zel_prefix_version=2

zel_wine_prefix_ready() {
    local marker="$WINEPREFIX/.zel-ready-$zel_prefix_version"
    [ -f "$marker" ] && return 0
    mkdir -p "$WINEPREFIX"
    (
        # Several ctest processes may start at once: one sets the prefix up.
        flock 9
        if [ ! -f "$marker" ]; then
            [ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1 || true
            # Wine draws the window frames itself, so windows look and measure the same with
            # or without a window manager.
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
            # A program that crashes ends at once with its backtrace on standard error, instead
            # of waiting behind a dialog that nobody closes.
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 \
                /f >/dev/null 2>&1 || true
            # The layout's Japanese UI font is not in Debian. Of Debian's Japanese fonts, IPA P
            # Gothic is one whose captions fit the layout's buttons and label as the original
            # font's do (measured with GetTextExtentPoint32 at the layout's sizes).
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Meiryo UI' \
                /d 'IPAPGothic' /f >/dev/null 2>&1 || true
            wineserver --wait || true
            touch "$marker"
        fi
    ) 9>"$WINEPREFIX.lock"
}
