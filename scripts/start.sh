#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brelvane with the given files.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
exec "${BRELVANE_BUILD_DIR:-$here/build}/bin/brelvane" "$@"
