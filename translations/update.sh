#!/usr/bin/env bash
# Brings every catalogue translations/brelvane_<language>.ts up to date with
# the texts of the sources (new texts come in unfinished, texts no longer in
# the sources go), then lists the texts that still want a translation.
#   translations/update.sh           updates the catalogues in place
#   translations/update.sh --check   leaves them alone: updates copies and
#                                    fails when a copy has an unfinished text,
#                                    so a text added to the sources without a
#                                    translation is found too
# lupdate is taken from $LUPDATE, else from Qt's tools (Debian package
# qt6-l10n-tools).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")

lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
    lupdate=$(qtpaths6 --query QT_HOST_BINS 2>/dev/null)/lupdate
    [ -x "$lupdate" ] || lupdate=$(command -v lupdate || true)
fi
[ -x "$lupdate" ] || { echo "lupdate not found: install qt6-l10n-tools or set LUPDATE" >&2; exit 2; }

check=
[ "${1:-}" = --check ] && check=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same sources as translations/translations.cmake: all but the encoder's.
(cd "$source_dir" && find src -path src/asapi -prune -o \( -name '*.cpp' -o -name '*.h' \) -print) |
    sort >"$work/sources"

# Prints "context: source text" for each entry without a finished translation.
unfinished() {
    awk '
        /<name>/ { context = $0; gsub(/.*<name>|<\/name>.*/, "", context) }
        /<source>/ { source = ""; collecting = 1 }
        collecting { source = source (source == "" ? "" : "\\n") $0 }
        /<\/source>/ { collecting = 0; gsub(/ *<\/?source>/, "", source) }
        /<translation type="unfinished"|<translation\/>|<translation><\/translation>/ {
            print context ": " source
        }' "$1"
}

failures=0
for ts in "$here"/brelvane_*.ts; do
    target=$ts
    if [ -n "$check" ]; then
        target=$work/$(basename "$ts")
        cp "$ts" "$target"
    fi
    (cd "$source_dir" && "$lupdate" -silent -locations none -no-obsolete -I src @"$work/sources" -ts "$target")
    missing=$(unfinished "$target")
    if [ -n "$missing" ]; then
        echo "$(basename "$ts"): $(wc -l <<<"$missing") texts without a translation:" >&2
        sed 's/^/  /' <<<"$missing" >&2
        failures=$((failures + 1))
    else
        echo "$(basename "$ts"): every text translated"
    fi
done
[ -z "$check" ] || exit "$failures"
