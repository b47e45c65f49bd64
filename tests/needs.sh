#!/bin/sh
# needs.sh TOOL COMMAND [ARGS...]: runs a test's command when the tool it needs is on PATH. Without
# it the test is skipped (77), or fails where SWELTRA_REQUIRE_TOOLS=1 (CI); either way naming it.
if ! command -v "$1" >/dev/null; then
    echo "missing: $1 is not on PATH" >&2
    [ "${SWELTRA_REQUIRE_TOOLS:-0}" = 1 ] && exit 1
    exit 77
fi
shift
exec "$@"
