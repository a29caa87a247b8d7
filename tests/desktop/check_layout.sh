#!/usr/bin/env bash
# Checks the installed layout a user gets under PREFIX: the program directory
# with encoder, profiles, translations and help, the launchers on the PATH, the desktop
# entry, the software centre's description, the icons, the manual pages and
# the shell completion. Prints one line per missing piece.
#   check_layout.sh PREFIX PROGRAM_DIR     (PROGRAM_DIR relative to PREFIX)
set -euo pipefail
prefix=$1
dir=$prefix/$2

failures=0
expect() {
    local what=$1
    shift
    if ! "$@"; then
        echo "missing: $what" >&2
        failures=$((failures + 1))
    fi
}

expect "executable in the program directory" test -x "$dir/brelvane" -a -f "$dir/brelvane"
expect "command line executable in the program directory" \
    test -x "$dir/brelvane-cli" -a -f "$dir/brelvane-cli"
expect "asapi.dll, the encoder, as an executable file" test -x "$dir/asapi.dll" -a -f "$dir/asapi.dll"
expect "Profiles folder" test -d "$dir/Profiles"
expect "no hidden files among the profiles" test -z "$(find "$dir/Profiles" -name '.*')"
expect "help page" test -s "$dir/Brelvane.html"
for program in brelvane brelvane-cli; do
    expect "$program on the PATH" test -L "$prefix/bin/$program"
    expect "$program on the PATH reaching the program directory's executable" \
        test "$(readlink -f "$prefix/bin/$program")" = "$(readlink -f "$dir/$program")"
    expect "manual page of $program" test -s "$prefix/share/man/man1/$program.1.gz"
done
expect "desktop entry" test -s "$prefix/share/applications/brelvane.desktop"
expect "software centre description" test -s "$prefix/share/metainfo/org.example.brelvane.metainfo.xml"
expect "scalable icon" test -s "$prefix/share/icons/hicolor/scalable/apps/brelvane.svg"
for size in 16 32 48 64 128 256; do
    expect "$size x $size icon" test -s "$prefix/share/icons/hicolor/${size}x$size/apps/brelvane.png"
done
expect "bash completion of brelvane-cli" \
    test -s "$prefix/share/bash-completion/completions/brelvane-cli"
# Every catalogue of the source tree arrives, compiled.
for catalogue in "$BRELVANE_SOURCE_DIR"/translations/brelvane_*.ts; do
    [ -e "$catalogue" ] || continue
    qm=$(basename "$catalogue" .ts).qm
    expect "translation $qm" test -s "$dir/translations/$qm"
done
# The profiles shipped in the source tree all arrive.
for profile in "$BRELVANE_SOURCE_DIR"/profiles/*.bpf; do
    [ -e "$profile" ] || continue
    expect "profile $(basename "$profile")" test -s "$dir/Profiles/$(basename "$profile")"
done

[ "$failures" -eq 0 ] && echo "install layout complete under $prefix"
exit "$failures"
