#!/usr/bin/env bash
# The udev rule we ship passes our own check, and the check finds the faults it exists for.
# Usage: udev_rules_test.sh CHECKER SHIPPED_RULE
set -uo pipefail
checker=$1 shipped=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() { # expect pass|fail NAME RULE-TEXT
    printf '%b' "$3" > "$work/rule"
    if "$checker" "$work/rule" > "$work/out"; then got=pass; else got=fail; fi
    if [ "$got" != "$1" ]; then
        echo "FAIL $2: expected $1, got $got"; cat "$work/out"
        failures=$((failures + 1))
    fi
}

if ! "$checker" "$shipped"; then echo "FAIL the shipped rule"; failures=$((failures + 1)); fi
for id in 1a86:7523 1a86:5523 067b:2303 067b:23a3 10c4:ea60 0403:6001; do
    grep -Eq "ATTRS\{idVendor\}==\"${id%:*}\", ATTRS\{idProduct\}==\"${id#*:}\", TAG\+=\"uaccess\"" "$shipped" ||
        { echo "FAIL the shipped rule lacks $id"; failures=$((failures + 1)); }
done
grep -q 'SUBSYSTEM!="tty", GOTO' "$shipped" || { echo "FAIL the rule is not limited to tty"; failures=$((failures + 1)); }

ok='SUBSYSTEM=="tty", ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523", TAG+="uaccess"\n'
expect pass "one good line" "$ok"
expect pass "comments and blank lines" "# c\n\n  # d\n$ok"
expect pass "continued line" 'SUBSYSTEM=="tty", \\\n  TAG+="uaccess"\n'
expect pass "goto with label" 'ACTION=="remove", GOTO="end"\nLABEL="end"\n'
expect pass "no trailing newline" 'SUBSYSTEM=="tty", TAG+="uaccess"'
expect fail "upper-case vendor id" 'SUBSYSTEM=="tty", ATTRS{idVendor}=="1A86", TAG+="uaccess"\n'
expect fail "short product id" 'SUBSYSTEM=="tty", ATTRS{idProduct}=="752", TAG+="uaccess"\n'
expect fail "unquoted value" 'SUBSYSTEM==tty, TAG+="uaccess"\n'
expect fail "unclosed quote" 'SUBSYSTEM=="tty, TAG+="uaccess"\n'
expect fail "unknown key" 'SUBSYTEM=="tty", TAG+="uaccess"\n'
expect fail "assignment to a match-only key" 'SUBSYSTEMS="usb"\n'
expect fail "match on an assign-only key" 'MODE=="0660"\n'
expect fail "attribute key without braces" 'ATTRS=="x", TAG+="uaccess"\n'
expect fail "braces on a plain key" 'KERNEL{x}=="ttyUSB*", TAG+="uaccess"\n'
expect fail "goto without label" 'ACTION=="remove", GOTO="nowhere"\n'
expect fail "a single equals sign meant as a match" 'SUBSYSTEM=="tty", ATTRS{idVendor}="1a86"\n'
expect fail "garbage after the keys" "${ok%\\n}, oops\n"

[ "$failures" -eq 0 ] && echo "all passed"
[ "$failures" -eq 0 ]
