#!/bin/sh
# Regenerates the regex engine's Unicode 6.2 tables and their test digest:
#   tools/unicode/regenerate.sh [--check]
# Installs the pinned npm package into a scratch folder and reads the decomposition mappings
# from Debian's unicode-data package (apt-get install unicode-data). The build never runs this.
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unicode_data=${UNICODE_DATA:-/usr/share/unicode/UnicodeData.txt}
[ -r "$unicode_data" ] || { echo "missing $unicode_data (apt-get install unicode-data)" >&2; exit 2; }
npm install --prefix "$scratch" --no-audit --no-fund --silent @unicode/unicode-6.2.0@2.0.7
node "$repo/tools/unicode/generate_unicode_tables.mjs" "$scratch/node_modules" "$unicode_data" "$@"
