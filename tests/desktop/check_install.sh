#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the layout a user gets.
#   check_install.sh BUILD_DIR PROGRAM_DIR     (PROGRAM_DIR relative to the prefix)
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
"$(dirname "$0")/check_layout.sh" "$prefix" "$2"
