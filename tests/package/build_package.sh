#!/usr/bin/env bash
# Makes the Debian package of the build, as `cpack -G DEB` in the build
# folder does, into a folder of its own.
#   build_package.sh BUILD_DIR PACKAGE_DIR
set -euo pipefail
build=$1
out=$2
rm -f "$out"/brelvane_*.deb
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >/dev/null
ls "$out"/brelvane_*.deb
