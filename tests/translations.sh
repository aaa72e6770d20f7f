#!/bin/sh
# Each catalogue of translations/ holds exactly the texts the code marks, every one translated.
#   translations.sh LUPDATE FOLDER...   (run in the source folder)
set -eu
lupdate=$1
shift
[ $# -gt 0 ] || { echo "usage: translations.sh LUPDATE FOLDER..."; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for catalogue in translations/orvanta_*.ts; do
    [ -e "$catalogue" ] || { echo "no catalogue in translations/"; exit 1; }
    copy="$work/$(basename "$catalogue")"
    cp "$catalogue" "$copy"
    # Its notes on files it cannot read for texts are the code's, not the catalogue's; shown only when it fails.
    "$lupdate" -silent -no-obsolete -locations none "$@" -ts "$copy" 2>"$work/notes" || { cat "$work/notes"; exit 1; }
    if ! diff -u "$catalogue" "$copy" >"$work/diff"; then
        echo "$catalogue is not up to the code's texts (build the target update_translations, then translate):"
        head -n 60 "$work/diff"
        status=1
    fi
    left=$(grep -c -E 'type="(unfinished|vanished|obsolete)"' "$catalogue" || true)
    if [ "$left" != 0 ]; then
        echo "$catalogue has $left texts unfinished or no longer in the code:"
        grep -n -B3 -E 'type="(unfinished|vanished|obsolete)"' "$catalogue" | grep '<source>' | head -n 20
        status=1
    fi
done
exit $status
