#!/usr/bin/env bash
# Builds the Debian package vantrel_<version>_amd64.deb into build/ from a
# checkout: installs what the build and the packaging need, builds the
# README's Release build folder (build/install, reused when it is there) and
# lets CPack lay out the installed files under /usr and pack them. Prints the
# package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
vantrel_ensure_packages $VANTREL_PACKAGE_PACKAGES
cmake -S . -B build/install -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build/install
rm -f build/install/vantrel_*.deb
(cd build/install && cpack -G DEB >/dev/null)
deb=$(ls build/install/vantrel_*.deb)
mv "$deb" build/
echo "build/$(basename "$deb")"
