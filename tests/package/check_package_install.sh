#!/usr/bin/env bash
# Installs the Debian package on this machine with apt, joins two clips as an
# ordinary user with /usr/bin/brelvane-cli, and removes the package again:
# afterwards nothing of it is left outside the user's home. Changes the
# machine, so it runs only as root and only when asked for
# (BRELVANE_INSTALL_TEST=1, as CI does); never over an installed brelvane.
#   check_package_install.sh PACKAGE_DIR VERSION
set -euo pipefail
deb=$(cd "$1" && pwd)/brelvane_$2_$(dpkg --print-architecture).deb
skip=77
if [ "${BRELVANE_INSTALL_TEST:-0}" != 1 ]; then
    echo "skipped: installs into the system; set BRELVANE_INSTALL_TEST=1 to run it"
    exit $skip
fi
[ "$(id -u)" -eq 0 ] || { echo "skipped: needs root"; exit $skip; }
if dpkg-query -W -f='${Status}' brelvane 2>/dev/null | grep -q installed; then
    echo "skipped: brelvane is installed on this machine already; left alone"
    exit $skip
fi

failures=0
fail() {
    echo "$*" >&2
    failures=$((failures + 1))
}
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@" >/dev/null
}
# The system's files, for what the package leaves behind. The desktop's
# caches over all programs are rebuilt by triggers and may appear.
system_files() {
    find /usr /etc /opt -xdev 2>/dev/null |
        grep -vE '/(mimeinfo|icon-theme)\.cache$' | sort
}

user=brelvane-test-$$
cleanup() {
    userdel -r "$user" 2>/dev/null || true
    dpkg-query -W brelvane >/dev/null 2>&1 && apt_get purge brelvane
    rm -f "$before"
}
before=$(mktemp)
trap cleanup EXIT
# The user first: useradd leaves backups of the files it changes in /etc.
useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
system_files >"$before"

apt_get install "$deb"
dir=$(dirname "$(readlink -f /usr/bin/brelvane-cli)")
for elf in /usr/bin/brelvane /usr/bin/brelvane-cli "$dir/asapi.dll"; do
    ldd "$elf" | grep 'not found' >&2 && fail "$elf misses libraries"
done
exec_line=$(grep '^Exec=' /usr/share/applications/brelvane.desktop)
[ "$(command -v "$(cut -d= -f2 <<<"$exec_line" | cut -d' ' -f1)")" = /usr/bin/brelvane ] ||
    fail "the menu entry's $exec_line does not start /usr/bin/brelvane"
# A system that leaves manual pages out (path-exclude in /etc/dpkg) has none to show.
if [ -e /usr/share/man/man1/brelvane-cli.1.gz ]; then
    MANWIDTH=80 man brelvane-cli 2>/dev/null | grep -q -- '--dry-run' || fail "man brelvane-cli shows no page"
fi

as_user() {
    runuser -u "$user" -- env -i -C "$home" HOME="$home" USER="$user" PATH=/usr/bin:/bin \
        LANG=C.UTF-8 "$@"
}
program_files=$(find "$dir" | sort)
for n in 1 2; do
    as_user ffmpeg -v error -f lavfi -i "testsrc=size=160x120:rate=25" -f lavfi \
        -i "sine=frequency=$((400 * n))" -t 1 -c:v mpeg4 -c:a pcm_s16le "clip$n.avi"
done
log=$(mktemp)
written=$(as_user /usr/bin/brelvane-cli join --profile "MP4 - MPEG-4 and MP3" \
    --output "$home/joined.mp4" clip1.avi clip2.avi 2>"$log") ||
    { cat "$log" >&2; fail "the join as $user failed"; }
rm -f "$log"
[ "$written" = "$home/joined.mp4" ] || fail "the join wrote \"$written\""
seconds=$(as_user ffprobe -v error -show_entries format=duration -of csv=p=0 joined.mp4 || echo 0)
awk -v s="$seconds" 'BEGIN { exit !(s > 1.9 && s < 2.2) }' || fail "joined.mp4 lasts $seconds s, not 2"
[ "$(find "$dir" | sort)" = "$program_files" ] || fail "the join wrote into the program directory"
[ -d "$home/.cache/Brelvane/temp" ] || fail "the join did not use $home/.cache/Brelvane/temp"
completed=$(as_user bash -c 'source /usr/share/bash-completion/completions/brelvane-cli
    COMP_WORDS=(brelvane-cli join --profile MP4); COMP_CWORD=3; _brelvane_cli
    printf "%s\n" "${COMPREPLY[@]}"')
grep -qxF 'MP4\ -\ MPEG-4\ and\ MP3' <<<"$completed" || fail "installed completion offers \"$completed\""

apt_get remove brelvane
dpkg-query -W -f='${Status}' brelvane 2>/dev/null | grep -q installed && fail "brelvane still installed"
left=$(comm -13 "$before" <(system_files))
[ -z "$left" ] || fail "left behind after removal: $left"
apt_get purge brelvane
dpkg-query -W brelvane >/dev/null 2>&1 && fail "brelvane still known to dpkg after purging"

[ "$failures" -eq 0 ] && echo "installed, joined as $user, removed without a trace"
exit "$failures"
