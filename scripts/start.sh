#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Quillon for Windows and starts it under Wine.
# Until the resident program lands, its main job runs as far as it is built: the
# Windows build of quillon-cli lists the misspelt words of a sample letter.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target quillon-cli quillon_data

export WINEDEBUG=-all
export WINEPREFIX="$PWD/build/wineprefix"
sample=data/sample-letter.txt
echo "Misspelt words in $sample:"
wine build/win64/bin/quillon-cli.exe -l "$sample" || [ $? -eq 1 ]
