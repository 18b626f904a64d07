#!/usr/bin/env bash
# Installs every Debian package that building, the shipped data, the tests and the
# benchmarks need. Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  googletest libgtest-dev
  wine wine64
  xvfb xdotool openbox imagemagick x11-utils
  wamerican
  hunspell hunspell-en-us aspell aspell-en
  clang libclang-rt-14-dev
  tmux time python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
