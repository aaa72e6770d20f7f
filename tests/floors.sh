#!/bin/sh
# Every arrow between folders points down: a folder includes headers of its own and of the folders below it only.
# Runs from the source root.
status=0

headersOf() {
    for folder in "$@"; do ls "$folder" | grep '[.]h$'; done | sed 's/.*/#include "&"/'
}

# check FLOOR FOLDER...: FLOOR includes no header of the FOLDERs.
check() {
    floor=$1
    shift
    found=$(headersOf "$@" | grep -nFf - "$floor"/*.cpp "$floor"/*.h)
    if [ -n "$found" ]; then
        echo "$floor includes from a floor above it or beside it ($*):"
        echo "$found"
        status=1
    fi
}

# Lowest first; side by side, engine and preflight, and cli and desktop, never include each other.
upper="cli desktop preview app"
check io core/files core/campaign core/page core/engine core/preflight core/pdf core/run $upper
check core/files core/campaign core/page core/engine core/preflight core/pdf core/run $upper
check core/campaign core/page core/engine core/preflight core/pdf core/run $upper
check core/page core/engine core/preflight core/pdf core/run $upper
check core/engine core/preflight core/pdf core/run $upper
check core/preflight core/engine core/pdf core/run $upper
check core/pdf core/run $upper
check core/run $upper
check cli desktop preview app
check desktop cli preview app
check preview cli app
exit $status
