# Shared by the packaging tests: check DESCRIPTION COMMAND... counts a failing command in $failures.
failures=0
check() {
    what=$1
    shift
    if ! "$@"; then
        echo "FAIL: $what" >&2
        failures=$((failures + 1))
    fi
}
