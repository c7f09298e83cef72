#!/usr/bin/env bash
# Every command and option that a program's --help offers is in its manual page, so a new one
# cannot ship undocumented. Usage: manpages_test.sh BIN_DIR MAN_DIR
set -uo pipefail
bin=$1 man=$2
failures=0

# The options (--word) a help text names.
options_of() { grep -oE -- '--[a-z][a-z0-9-]*' | sort -u; }
# The commands a CLI11 help text lists under its subcommands heading.
commands_of() { awk 'tolower($0) ~ /^subcommands:/ {on = 1; next} on && /^[^ ]/ {on = 0}
                     on && NF {print $1}'; }

documented() { # PAGE WORD: the word as roff writes it (each '-' escaped)
    grep -qF -- "$(printf '%s' "$2" | sed 's/-/\\-/g')" "$1" || grep -qF -- "$2" "$1"
}

check() { # PAGE WHAT WORD...
    local page=$1 what=$2
    shift 2
    for word in "$@"; do
        if ! documented "$page" "$word"; then
            echo "FAIL $(basename "$page"): $what $word is not documented"
            failures=$((failures + 1))
        fi
    done
}

# tarsel-cli: the commands, their subcommands, and every option of each.
page=$man/tarsel-cli.1
help=$("$bin/tarsel-cli" --help)
check "$page" option $(options_of <<< "$help")
for command in $(commands_of <<< "$help"); do
    check "$page" command "$command"
    sub=$("$bin/tarsel-cli" "$command" --help)
    check "$page" "option of $command:" $(options_of <<< "$sub")
    for nested in $(commands_of <<< "$sub"); do
        check "$page" "option of $command $nested:" \
            $(options_of < <("$bin/tarsel-cli" "$command" "$nested" --help))
    done
done

check "$man/tarsel-radiosim.1" option $(options_of < <("$bin/tarsel-radiosim" --help))
if [ -x "$bin/tarsel" ]; then
    check "$man/tarsel.1" option $(options_of < <(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/tarsel" --help))
fi

# Each page has the sections a reader looks for.
for page in "$man"/*.1; do
    for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" EXAMPLES "SEE ALSO"; do
        grep -qx "\.SH \"\?$section\"\?" "$page" ||
            { echo "FAIL $(basename "$page"): no section $section"; failures=$((failures + 1)); }
    done
done

[ "$failures" -eq 0 ] && echo "all documented"
[ "$failures" -eq 0 ]
