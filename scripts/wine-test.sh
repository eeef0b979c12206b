#!/usr/bin/env bash
# Runs a Windows test program under Wine for ctest (the cross-compiling emulator). When Wine
# loses its connection to its own server ("wine client error"), the failure is Wine's, not the
# test's: the program runs once more, and a second such failure stands.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
zel_wine_prefix_ready
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for _ in 1 2; do
    wine "$@" 2>"$errors"
    status=$?
    cat "$errors" >&2
    if [ $status -eq 0 ] || ! grep -q '^wine client error' "$errors"; then
        break
    fi
    echo "wine-test.sh: Wine lost its server; running the program again" >&2
done
exit $status
