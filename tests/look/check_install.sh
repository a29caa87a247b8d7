#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the layout a user gets:
# the program directory with encoder, profiles and help, the launcher on the
# PATH, the desktop entry and the icon.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
expect() {
    local what=$1
    shift
    if ! "$@"; then
        echo "missing: $what" >&2
        failures=$((failures + 1))
    fi
}

dir=$prefix/lib/brelvane
expect "executable in the program directory" test -x "$dir/brelvane" -a -f "$dir/brelvane"
expect "asapi.dll, the encoder, as an executable file" test -x "$dir/asapi.dll" -a -f "$dir/asapi.dll"
expect "Profiles folder" test -d "$dir/Profiles"
expect "no hidden files among the profiles" test -z "$(find "$dir/Profiles" -name '.*')"
expect "help page" test -s "$dir/Brelvane.html"
expect "launcher on the PATH" test -L "$prefix/bin/brelvane"
expect "launcher reaching the program directory's executable" \
    test "$(readlink -f "$prefix/bin/brelvane")" = "$(readlink -f "$dir/brelvane")"
expect "desktop entry" test -s "$prefix/share/applications/brelvane.desktop"
expect "scalable icon" test -s "$prefix/share/icons/hicolor/scalable/apps/brelvane.svg"
expect "256 x 256 icon" test -s "$prefix/share/icons/hicolor/256x256/apps/brelvane.png"
# The profiles shipped in the source tree all arrive.
for profile in "$BRELVANE_SOURCE_DIR"/profiles/*.bpf; do
    [ -e "$profile" ] || continue
    expect "profile $(basename "$profile")" test -s "$dir/Profiles/$(basename "$profile")"
done

[ "$failures" -eq 0 ] && echo "install layout complete under $prefix"
exit "$failures"
