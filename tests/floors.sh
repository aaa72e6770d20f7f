#!/bin/sh
# Every arrow between folders points down: a folder includes headers of its own and of the folders below it only.
# Runs from the source root.
status=0

# A folder stands for its headers, a header for itself.
headersOf() {
    for folder in "$@"; do
        if [ -d "$folder" ]; then ls "$folder"; else basename "$folder"; fi
    done | grep '[.]h$' | sed 's/.*/#include "&"/'
}

# check FLOOR FOLDER...: FLOOR includes no header of the FOLDERs.
check() {
    floor=$1
    shift
    found=$(headersOf "$@" | grep -nFf - $(ls "$floor"/*.cpp "$floor"/*.h 2>/dev/null))
    if [ -n "$found" ]; then
        echo "$floor includes from a floor above it or beside it ($*):"
        echo "$found"
        status=1
    fi
}

# Lowest first; side by side, engine, preflight and links, and cli and desktop, never include each other.
upper="cli desktop preview app"
check io core/files core/campaign core/page core/engine core/preflight core/links core/finish core/run $upper
check core/files core/campaign core/page core/engine core/preflight core/links core/finish core/run $upper
check core/campaign core/page core/engine core/preflight core/links core/finish core/run $upper
check core/page core/engine core/preflight core/links core/finish core/run $upper
check core/engine core/preflight core/links core/finish core/run $upper
check core/preflight core/engine core/links core/finish core/run $upper
check core/links core/engine core/preflight core/finish core/run $upper
check core/finish core/links core/run $upper
check core/run $upper
check cli desktop preview app
check desktop cli preview app
check preview cli app

# The tests stand on the same floors: a test includes its floor's headers and those below, its own folder's and
# those of the test folders below, and the window-free support (a private application folder) only.
window="tests/support/ScriptedPlatform.h tests/support/WindowDriver.h tests/support/WindowFixture.h
    tests/support/WindowTestCase.h tests/support/GuardedRun.h"
tests="tests/cli tests/desktop tests/preview tests/app $window"
testsAbove() {
    floor=$1
    shift
    found=no
    for folder in files campaign page engine preflight links finish run; do
        [ "$found" = yes ] && echo "core/$folder tests/core/$folder"
        [ "$folder" = "$floor" ] && found=yes
    done
}
for floor in files campaign page engine preflight links finish run; do
    beside=""
    [ "$floor" = engine ] && beside="core/preflight tests/core/preflight core/links tests/core/links"
    [ "$floor" = preflight ] && beside="core/engine tests/core/engine core/links tests/core/links"
    [ "$floor" = links ] && beside="core/engine tests/core/engine core/preflight tests/core/preflight"
    [ "$floor" = finish ] && beside="core/links tests/core/links"
    check tests/core/$floor $(testsAbove $floor) $beside $upper $tests
done
check tests/io core/files core/campaign core/page core/engine core/preflight core/links core/finish core/run $upper tests/core/* $tests
check tests/cli desktop preview app tests/desktop tests/preview tests/app $window
check tests/desktop cli preview app tests/cli tests/preview tests/app tests/support/WindowDriver.h \
    tests/support/WindowFixture.h tests/support/WindowTestCase.h tests/support/GuardedRun.h
check tests/preview cli app tests/cli tests/app
exit $status
