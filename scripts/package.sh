#!/usr/bin/env bash
# Installs what is missing, builds a release into build-release/ (or
# $BRELVANE_PACKAGE_BUILD_DIR) and makes the Debian package from it:
# brelvane_<version>_<arch>.deb in the top folder of the source tree, for
# `apt-get install ./brelvane_*.deb`.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BRELVANE_PACKAGE_BUILD_DIR:-$here/build-release}
"$here/scripts/install-deps.sh"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBRELVANE_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/brelvane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
for deb in "$build"/brelvane_*.deb; do
    mv -f "$deb" "$here/"
    echo "$here/$(basename "$deb")"
done
