#!/bin/sh
# Runs the launcher against a stand-in installed folder: first start, the user's work, an upgrade,
# and the fall-backs to the installed program.
# Usage: test-launcher.sh path/to/orvanta-launcher.sh.in
set -u
template=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
installed="$work/opt/orvanta"
data="$work/data"
copy="$data/orvanta"
. "$(dirname "$0")/checks.sh"
has() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }

ship_program() { # version
    cat >"$installed/orvanta" <<PROGRAM
#!/bin/sh
echo "$1 \$(cd "\$(dirname "\$0")" && pwd) \$*"
PROGRAM
    chmod 755 "$installed/orvanta"
}

mkdir -p "$installed/bin/output" "$installed/products" "$work/home"
ship_program v1
echo "template 1" >"$installed/bin/template.html"
echo "steps 1" >"$installed/bin/steps.txt"
echo "a1" >"$installed/products/A.txt"
ln -s /bin/true "$installed/bin/wkhtmltopdf"
sed "s|@ORVANTA_PACKAGE_DIR@|$installed|" "$template" >"$work/launcher"

launch() { env HOME="$work/home" XDG_DATA_HOME="$data" sh "$work/launcher" "$@"; }

# First start: the whole folder is copied and the copy runs.
check "first start runs the copy" [ "$(launch --x)" = "v1 $copy --x" ]
check "template copied" has "$copy/bin/template.html" "template 1"
check "empty output folder copied" [ -d "$copy/bin/output" ]
check "converter link kept as a link" [ "$(readlink "$copy/bin/wkhtmltopdf")" = /bin/true ]

# The user's work, and a start with nothing installed changed.
echo pdf >"$copy/bin/output/review.pdf"
echo page >"$copy/bin/review.html"
echo mine >"$copy/products/Mine.txt"
echo "a edited" >"$copy/products/A.txt"
echo "steps edited" >"$copy/bin/steps.txt"
check "unchanged start runs the copy" [ "$(launch)" = "v1 $copy " ]
check "edit kept without an upgrade" has "$copy/products/A.txt" "a edited"
check "no new version without an upgrade" [ ! -e "$copy/products/A.txt.new" ]

# An upgrade: new program, template and catalogue.
ship_program v2
echo "template 2" >"$installed/bin/template.html"
echo "a2" >"$installed/products/A.txt"
echo "b2" >"$installed/products/B.txt"
check "upgrade runs the new program" [ "$(launch)" = "v2 $copy " ]
check "untouched file upgraded" has "$copy/bin/template.html" "template 2"
check "new file added" has "$copy/products/B.txt" "b2"
check "PDF kept" has "$copy/bin/output/review.pdf" "pdf"
check "page kept" has "$copy/bin/review.html" "page"
check "own catalogue entry kept" has "$copy/products/Mine.txt" "mine"
check "user's edit kept" has "$copy/products/A.txt" "a edited"
check "shipped version beside the edit" has "$copy/products/A.txt.new" "a2"
check "edit of a file the upgrade left alone kept" has "$copy/bin/steps.txt" "steps edited"
check "nothing beside an edit when its file did not change" [ ! -e "$copy/bin/steps.txt.new" ]
check "no temporary files left" [ -z "$(find "$copy" -name '*.tmp*')" ]

# A lost program is restored.
rm "$copy/orvanta"
check "missing program restored" [ "$(launch)" = "v2 $copy " ]

# A copy the launcher did not make: differing files count as the user's, but the program is replaced.
rm "$copy/.orvanta-shipped" "$copy/.orvanta-installed"
ship_program v3
echo "template 3" >"$installed/bin/template.html"
check "foreign copy runs the new program" [ "$(launch)" = "v3 $copy " ]
check "foreign copy's file kept" has "$copy/bin/template.html" "template 2"
check "shipped version beside the foreign file" has "$copy/bin/template.html.new" "template 3"

# No writable place for a copy: the installed program runs and reports its read-only folder itself.
: >"$work/not-a-folder"
check "unusable data folder falls back" \
    [ "$(env XDG_DATA_HOME="$work/not-a-folder" sh "$work/launcher" 2>/dev/null)" = "v3 $installed " ]
check "no home falls back" [ "$(env -u HOME -u XDG_DATA_HOME sh "$work/launcher")" = "v3 $installed " ]

[ "$failures" -eq 0 ] && echo "all launcher checks passed"
exit "$failures"
