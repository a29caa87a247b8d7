#!/usr/bin/env bash
# The Debian package's name, control fields and contents: everything under
# /usr and owned by root, the installed layout complete, the desktop entry and
# the software centre's description valid and consistent with the source
# tree, the manual pages readable.
#   check_package.sh PACKAGE_DIR PROGRAM_DIR VERSION   (PROGRAM_DIR below /usr)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deb=$1/brelvane_$3_$(dpkg --print-architecture).deb
program_dir=$2
version=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

failures=0
fail() {
    echo "$*" >&2
    failures=$((failures + 1))
}
[ -f "$deb" ] || { echo "no package $deb" >&2; exit 1; }

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = brelvane ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), not $version"
depends=$(field Depends)
# ffmpeg and xdg-utils by name, the linked libraries from dpkg-shlibdeps.
for needed in ffmpeg xdg-utils libqt6widgets6 libmediainfo0v5 'libavformat[0-9]+' 'libc6 '; do
    grep -qE "(^|, )$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

listing=$(dpkg-deb --contents "$deb")
awk '$2 != "root/root" { print "not owned by root: " $0 }' <<<"$listing" | grep . >&2 &&
    fail "entries not owned by root"
awk '{ print $6 }' <<<"$listing" | grep -vE '^\./(usr/.*)?$' | sed 's/^/outside \/usr: /' | grep . >&2 &&
    fail "entries outside /usr"

dpkg-deb --extract "$deb" "$root"
"$here/../desktop/check_layout.sh" "$root/usr" "$program_dir" >/dev/null || fail "layout incomplete"
# The installed program speaks German from the package's own catalogue.
german=$(env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=de_DE.UTF-8 \
    "$root/usr/$program_dir/brelvane-cli" --help 2>/dev/null | head -n 1) || true
[ "$german" = "Aufruf:" ] || fail "the packaged brelvane-cli --help is not German: $german"
for elf in brelvane brelvane-cli asapi.dll; do
    file "$root/usr/$program_dir/$elf" | grep -q ', stripped' || fail "$elf keeps its symbols"
done

desktop-file-validate "$root/usr/share/applications/brelvane.desktop" || fail "desktop entry invalid"
metainfo=$root/usr/share/metainfo/org.example.brelvane.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" >/dev/null ||
    { appstreamcli validate --no-net --pedantic "$metainfo" >&2; fail "metainfo invalid"; }
newest=$(grep -oE '<release version="[^"]+"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "newest release in the metainfo is $newest, not $version"
launchable=$(grep -oE '<launchable type="desktop-id">[^<]+' "$metainfo" | cut -d'>' -f2)
[ -f "$root/usr/share/applications/$launchable" ] || fail "metainfo launches $launchable, not installed"
screenshots=$(grep -oE '<image[^>]*>[^<]+' "$metainfo" | sed 's/.*\///')
[ -n "$screenshots" ] || fail "metainfo has no screenshots"
for shot in $screenshots; do
    [ -f "$BRELVANE_SOURCE_DIR/docs/screenshots/$shot" ] || fail "screenshot $shot not in docs/screenshots"
done

for page in brelvane brelvane-cli; do
    warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH .*\"Brelvane $version\"" ||
        fail "manual page $page is not of Brelvane $version"
done

dpkg-deb --ctrl-tarfile "$deb" | tar -tv | grep -qE '^-rwxr-xr-x .* \./postrm$' ||
    fail "postrm missing or not executable"

[ "$failures" -eq 0 ] && echo "package $(basename "$deb") complete"
exit "$failures"
