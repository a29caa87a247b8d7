#!/usr/bin/env bash
# Every catalogue is complete against the sources as they are now (a text
# added or changed in the sources without a translation fails here), and
# brelvane-cli speaks German when the environment asks for it: LANG alone,
# as a German desktop sets it, without a generated locale.
#   check_translations.sh CLI SOURCE_DIR LUPDATE
set -euo pipefail
cli=$1
source_dir=$2
export LUPDATE=$3

failures=0
fail() {
    echo "$*" >&2
    failures=$((failures + 1))
}

"$source_dir/translations/update.sh" --check || fail "a catalogue is incomplete"

in_language() { env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$1" "$cli" "${@:2}" 2>&1 || true; }
english=$(in_language C.UTF-8 --help)
german=$(in_language de_DE.UTF-8 --help)
[ "$(head -n 1 <<<"$german")" = "Aufruf:" ] || fail "German --help starts with: $(head -n 1 <<<"$german")"
# The options are the same, each with a German text: no line but the
# synopsis and blank ones is the English page's.
option_names() { grep -oE '^  --[a-z-]+' | sort; }
[ "$(option_names <<<"$english")" = "$(option_names <<<"$german")" ] ||
    fail "German --help lists other options than the English one"
untranslated=$(grep -vE '^(  brelvane-cli .*)?$' <<<"$english" | grep -Fxf - <<<"$german" || true)
[ -z "$untranslated" ] || fail "German --help keeps English lines:"$'\n'"$untranslated"
message=$(in_language de_DE.UTF-8 join)
grep -q 'braucht die Videos' <<<"$message" || fail "German usage error reads: $message"

[ "$failures" -eq 0 ] && echo "catalogues complete; brelvane-cli --help is German under LANG=de_DE.UTF-8"
exit "$failures"
