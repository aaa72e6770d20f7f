#!/bin/sh
# Installs the package's desktop files into a scratch root and has AppStream's validator read them there: the
# metainfo beside the menu entry it launches, valid without the network.
# Usage: test-metainfo.sh CMAKE BUILD_DIR APPSTREAMCLI
set -u
cmake=$1
build=$2
appstreamcli=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

if ! DESTDIR="$root" "$cmake" --install "$build" --component desktop >"$root/install.log" 2>&1; then
    cat "$root/install.log" >&2
    echo "FAIL: installing the desktop component failed" >&2
    exit 1
fi

. "$(dirname "$0")/checks.sh"

usr="$root/usr"
check "the menu entry" [ -s "$usr/share/applications/orvanta.desktop" ]
check "the metainfo beside it" [ -s "$usr/share/metainfo/app.orvanta.orvanta.metainfo.xml" ]
check "the metainfo is valid" "$appstreamcli" validate --no-net --explain "$usr/share/metainfo/app.orvanta.orvanta.metainfo.xml"
check "the metainfo and its menu entry agree" "$appstreamcli" validate-tree --no-net --explain "$usr"
check "the menu entry speaks German" grep -q '^Comment\[de\]=' "$usr/share/applications/orvanta.desktop"
check "the metainfo speaks German" grep -q 'summary xml:lang="de"' "$usr/share/metainfo/app.orvanta.orvanta.metainfo.xml"

[ "$failures" -eq 0 ] && echo "the metainfo installs beside the menu entry and is valid"
exit "$failures"
