#!/usr/bin/env bash
# Fails when a text of the desktop program (or a core text it shows) has no finished English
# translation: lupdate, run against the sources into a copy of the translation, must find
# nothing new and leave nothing unfinished.
#   check-translations.sh LUPDATE SOURCE-ROOT
set -euo pipefail
lupdate=$1
root=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/tarsel-i18n.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$root"/i18n/*.ts; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    "$root/i18n/lupdate.sh" "$lupdate" "$copy" >"$work/lupdate.log" 2>&1 ||
        { cat "$work/lupdate.log"; exit 1; }
    # Every unfinished message, with its source text, so the failure says what to translate.
    unfinished=$(python3 - "$copy" <<'PY'
import sys, xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).iter("context"):
    name = context.findtext("name")
    for message in context.iter("message"):
        translation = message.find("translation")
        forms = [translation.text] + [form.text for form in translation.iter("numerusform")] if translation is not None else []
        if translation is None or translation.get("type") == "unfinished" or not any((form or "").strip() for form in forms):
            print(f"  [{name}] {message.findtext('source')}")
PY
)
    if [ -n "$unfinished" ]; then
        echo "$(basename "$ts"): texts without a finished translation (run i18n/lupdate.sh, translate them):"
        echo "$unfinished"
        status=1
    fi
    if ! cmp -s "$ts" "$copy"; then
        echo "$(basename "$ts") is not up to date with the sources (run i18n/lupdate.sh):"
        diff -u "$ts" "$copy" | head -40
        status=1
    fi
done
exit $status
