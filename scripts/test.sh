#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds every preset and runs every test: the native
# ones directly, the Windows ones under Wine on a virtual desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in native win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

ctest --preset native

export WINEDEBUG=-all
export WINEPREFIX="$PWD/build/wineprefix"
scripts/with-desktop.sh ctest --preset win64
