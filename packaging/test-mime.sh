#!/bin/sh
# Checks that the shared-mime-info file gives *.orvanta its type, and that the menu entry opens that type.
# Usage: test-mime.sh UPDATE_MIME_DATABASE MIME_XML DESKTOP_FILE
set -u
update=$1
xml=$2
desktop=$3
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mime=$data/mime

. "$(dirname "$0")/checks.sh"

mkdir -p "$mime/packages" && cp "$xml" "$mime/packages/"
# A folder on the data path, or the tool says it will not be found.
check "update-mime-database reads the file" env XDG_DATA_HOME="$data" "$update" "$mime"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$xml")
check "*.orvanta has the type $type" grep -qx "[0-9]*:$type:\*\.orvanta" "$mime/globs2"
check "the menu entry opens $type" grep -qx "MimeType=$type;" "$desktop"
check "the menu entry passes the file" grep -qx "Exec=orvanta %f" "$desktop"

[ "$failures" -eq 0 ] && echo "*.orvanta opens in Orvanta"
exit "$failures"
