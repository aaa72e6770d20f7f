#!/bin/sh
# Checks that each Debian release gets what it has: install-deps' list per release, and a package whose library
# dependencies come from the build and whose version names the release it was built on.
# Usage: test-releases.sh INSTALL_DEPS CPACK_CONFIG OS_RELEASE
set -u
installDeps=$1
config=$2
osRelease=$3

. "$(dirname "$0")/checks.sh"

listed() { "$installDeps" --list "$1" "$2" 2>/dev/null | grep -qx "$3"; }
notListed() { ! listed "$@"; }
# release, clang major version, package, whether it is installed there
while read -r release clang package expected; do
    if [ "$expected" = yes ]; then
        check "$package is installed on $release" listed "$release" "$clang" "$package"
    else
        check "$package is not asked for on $release" notListed "$release" "$clang" "$package"
    fi
done <<ROWS
bookworm 14 wkhtmltopdf yes
bookworm 14 libclang-rt-14-dev yes
bookworm 14 chromium-headless-shell yes
trixie 19 wkhtmltopdf no
trixie 19 libclang-rt-19-dev yes
trixie 19 libclang-rt-14-dev no
trixie 19 chromium-headless-shell yes
trixie 19 dpkg-dev yes
ROWS
unknown=$("$installDeps" --list forky 21 2>&1)
check "an unknown release is refused" [ $? -ne 0 ]
check "the refusal names what to install" sh -c 'printf "%s" "$0" | grep -q "^  qt6-base-dev$"' "$unknown"

setting() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$config"; }
check "the library dependencies come from the build" [ "$(setting CPACK_DEBIAN_PACKAGE_SHLIBDEPS)" = ON ]
# A fixed library name such as libqpdf29 is one release's; only the SVG plugin's module, which no scan finds, is named.
check "the Depends name no release's libraries" sh -c \
    '! printf "%s\n" "$0" | tr "," "\n" | sed "s/^ *//; s/[ |].*//" | grep -v "^libqt6svg6$" | grep -q "^lib"' \
    "$(setting CPACK_DEBIAN_PACKAGE_DEPENDS)"
id=$(. "$osRelease" && echo "${ID:-}")
versionId=$(. "$osRelease" && echo "${VERSION_ID:-}")
if [ "$id" = debian ]; then
    check "the package's version names Debian $versionId" sh -c \
        'case "$0" in *"~deb$1") ;; *) exit 1 ;; esac' "$(setting CPACK_DEBIAN_PACKAGE_VERSION)" "$versionId"
fi

[ "$failures" -eq 0 ]
