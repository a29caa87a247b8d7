#!/usr/bin/env bash
# The manual page and the bash completion against brelvane-cli itself: every
# option its usage names is in the page and is completed, the completion
# offers no option the program refuses, and a profile name is completed
# whole, spaces quoted.
#   check_cli_docs.sh CLI SOURCE_DIR
set -euo pipefail
cli=$1
source_dir=$2

failures=0
fail() {
    echo "$*" >&2
    failures=$((failures + 1))
}

# "  --profile NAME     output profile ..." and the commands "brelvane-cli --version".
mapfile -t usage_options < <("$cli" --help | grep -oE '^  (brelvane-cli )?--[a-z-]+' |
    grep -oE -- '--[a-z-]+' | sort -u)
[ "${#usage_options[@]}" -ge 10 ] || fail "too few options in the usage: ${usage_options[*]}"

page=$(MANWIDTH=200 man -l "$source_dir/desktop/man/brelvane-cli.1" 2>&1)
for option in "${usage_options[@]}"; do
    grep -q -- "$option" <<<"$page" || fail "manual page lacks $option"
done

# Runs the completion for the words given; prints the offers one a line.
complete_words() {
    bash -c 'source "$1"; shift
             COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
             _brelvane_cli; printf "%s\n" "${COMPREPLY[@]}"' \
        _ "$source_dir/desktop/brelvane-cli.bash-completion" "$@"
}

offered=$( (complete_words "$cli" -; complete_words "$cli" join -) | grep -- '^--' | sort -u)
for option in "${usage_options[@]}"; do
    grep -qx -- "$option" <<<"$offered" || fail "completion does not offer $option"
done
usage_list=$(printf '%s\n' "${usage_options[@]}")
for option in $offered; do
    grep -qx -- "$option" <<<"$usage_list" || fail "completion offers $option, which the usage does not name"
done

profiles=$("$cli" --list-profiles)
first_profile=${profiles%%$'\n'*}
expected=$(printf '%q' "$first_profile")
offers=$(complete_words "$cli" join --profile "${first_profile:0:3}")
grep -qxF -- "$expected" <<<"$offers" || fail "profile \"$first_profile\" not completed: $offers"
# "--sort=n" reaches the completion as three words.
offers=$(complete_words "$cli" join --sort = n | sort | paste -sd ' ')
[ "$offers" = "name natural none" ] || fail "--sort=n completes \"$offers\""

[ "$failures" -eq 0 ] && echo "manual page and completion match the usage (${#usage_options[@]} options)"
exit "$failures"
