#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's private prefix (created once, reused).
# The end-to-end tests and run.sh start programs with it; ctest goes through wine-test.sh.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
zel_wine_prefix_ready
exec wine "$@"
