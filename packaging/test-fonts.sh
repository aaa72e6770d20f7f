#!/bin/sh
# Checks that the package depends on the Debian package of every font the brand offers as installed, and of the
# fallbacks every font list ends with.
# Usage: test-fonts.sh CPACK_CONFIG BRAND_CPP
set -u
config=$1
brand=$2

. "$(dirname "$0")/checks.sh"

depends=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_DEPENDS "\(.*\)")$/\1/p' "$config")
check "the build declares its Depends" [ -n "$depends" ]

# The families brandFonts() lists, one a line.
offered=$(sed -n '/^QStringList brandFonts()/,/^}/p' "$brand" | grep -o 'QStringLiteral("[^"]*")' |
    sed 's/QStringLiteral("\(.*\)")/\1/')
check "the brand offers fonts" [ -n "$offered" ]

packageOf() {
    case $1 in
    "DejaVu Sans" | "DejaVu Serif" | "DejaVu Sans Mono") echo fonts-dejavu-core ;;
    "Liberation Sans" | "Liberation Serif") echo fonts-liberation2 ;;
    "WenQuanYi Micro Hei") echo fonts-wqy-microhei ;;
    Symbola) echo fonts-symbola ;;
    esac
}

dependsOn() {
    printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx "$1"
}

newline='
'
IFS=$newline
for family in $offered Symbola; do
    package=$(packageOf "$family")
    check "$family has a known Debian package (add it to this test's table)" [ -n "$package" ]
    [ -n "$package" ] && check "Depends holds $package for $family" dependsOn "$package"
done

[ "$failures" -eq 0 ] && echo "every offered font's package is a dependency"
exit "$failures"
