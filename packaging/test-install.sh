#!/bin/sh
# Installs the build into a fresh prefix and checks that the prefix is the whole application folder
# and nothing else: the desktop files belong to the package only.
# Usage: test-install.sh CMAKE BUILD_DIR
set -u
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

if ! "$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log" >&2
    rm -f "$prefix.log"
    echo "FAIL: cmake --install failed" >&2
    exit 1
fi
rm -f "$prefix.log"

. "$(dirname "$0")/checks.sh"

check "the program" [ -x "$prefix/orvanta" ]
for file in bin/template.html bin/bonusdownloadinstructions.txt bin/assets/js/jquery.min.js \
    bin/assets/bootstrap/js/bootstrap.min.js bin/assets/js/stylish-portfolio.js temp/index.html; do
    check "$file" [ -s "$prefix/$file" ]
done
check "bin/output" [ -d "$prefix/bin/output" ]
check "a catalogue entry" [ -n "$(find "$prefix/products" -maxdepth 1 -name '*.txt')" ]
check "a sales-page image" [ -n "$(find "$prefix/products" -mindepth 2 -name salespage.gif)" ]
check "a sample campaign" [ -n "$(find "$prefix/campaigns" -maxdepth 1 -name '*.orvanta')" ]
if command -v wkhtmltopdf >/dev/null; then
    check "the converter link" [ -L "$prefix/bin/wkhtmltopdf" ]
fi
check "only the application folder" [ -z "$(cd "$prefix" && ls -A | grep -v -x -e orvanta -e bin -e campaigns -e products -e designs -e temp)" ]
check "no repository files" [ -z "$(find "$prefix" -name '.git*' -o -name '.keep')" ]

[ "$failures" -eq 0 ] && echo "the install is the whole application folder"
exit "$failures"
