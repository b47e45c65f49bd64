#!/bin/sh
# Runs a test's command when every tool it needs is on PATH. A missing tool skips the test (77),
# or fails it where SWELTRA_REQUIRE_TOOLS=1 (CI); either way the tool is named.
#   needs.sh TOOL... -- COMMAND [ARGS...]
while [ "$1" != -- ]; do
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "missing: $1 is not on PATH" >&2
        [ "${SWELTRA_REQUIRE_TOOLS:-0}" = 1 ] && exit 1
        exit 77
    fi
    shift
done
shift
exec "$@"
