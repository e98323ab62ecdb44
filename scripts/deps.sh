#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# the machine lacks. Needs root; does nothing when all is there.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libboost-dev                      # Boost.Multiprecision, header-only
  qt6-base-dev libgl-dev qt6-webengine-dev libqt6webenginecore6-bin libx11-dev
  clang libclang-rt-14-dev          # the fuzz targets
  xvfb xauth xdotool                # the package test drives the real program
  python3                           # reads an exported plan with its csv module
  g++-mingw-w64-x86-64-posix googletest wine wine64 zip   # the Windows build, run under Wine
  dpkg-dev lintian desktop-file-utils appstream           # the Debian package and its checks
  "$@"                              # and whatever the calling script needs beside
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
