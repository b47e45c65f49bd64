#!/usr/bin/env bash
# Runs a command on a virtual X server of its own and returns the command's exit status.
#   tools/with-x.sh [--wm] [--atspi] [--size WxH[xDEPTH]] -- COMMAND [ARGS...]
#     --wm      openbox manages the windows (decorated frames, focus); started before the command
#               and waited for until it has taken over the screen
#     --atspi   a private D-Bus session bus on which the accessibility bus starts on demand, and
#               Qt programs join the accessibility tree without a screen reader running
#     --size    the screen, default 1280x1024 (depth 24)
# The command sees DISPLAY (and with --atspi DBUS_SESSION_BUS_ADDRESS), QT_QPA_PLATFORM=xcb and a
# private XDG_RUNTIME_DIR; without --atspi no session bus at all. Exit status 77 (a skip to
# CTest) when a tool is missing or the server, window manager or bus does not start. Whatever
# happens, the server, window manager and bus are stopped and the runtime folder removed.
#
# The server picks a free display itself and writes its number to us (-displayfd), so runs side
# by side cannot race for one, as a display number guessed in advance can.
set -uo pipefail

usage() {
    echo "usage: $0 [--wm] [--atspi] [--size WxH] -- COMMAND [ARGS...]" >&2
    exit 2
}

wm=0 atspi=0 size=1280x1024
while [ $# -gt 0 ]; do
    case $1 in
    --wm) wm=1 ;;
    --atspi) atspi=1 ;;
    --size)
        [ $# -ge 2 ] || usage
        size=$2
        shift
        ;;
    --) shift; break ;;
    *) usage ;;
    esac
    shift
done
[ $# -gt 0 ] || usage
[[ $size =~ ^[0-9]+x[0-9]+(x[0-9]+)?$ ]] || usage
[[ $size =~ x[0-9]+x ]] || size+=x24

# Unavailable: the command cannot run as asked, which CTest counts as a skip (a failure where
# SWELTRA_REQUIRE_X=1, as in CI).
unavailable() {
    echo "with-x: $1" >&2
    [ "${SWELTRA_REQUIRE_X:-0}" = 1 ] && exit 1
    exit 77
}

needed=(Xvfb)
[ $wm -eq 0 ] || needed+=(openbox xprop)
[ $atspi -eq 0 ] || needed+=(dbus-daemon)
for tool in "${needed[@]}"; do
    command -v "$tool" >/dev/null 2>&1 || unavailable "$tool not found"
done

runtime=$(mktemp -d "${TMPDIR:-/tmp}/with-x.XXXXXX") || exit 1
chmod 700 "$runtime"
xvfb="" openbox="" bus="" child=""

stop() {
    local pid
    for pid in $child $openbox $bus $xvfb; do
        kill "$pid" 2>/dev/null
    done
    for pid in $child $openbox $bus $xvfb; do
        wait "$pid" 2>/dev/null
    done
    rm -rf "$runtime"
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits up to 30 s (the machine may be busy) for a condition given as a command.
wait_for() {
    local _
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
alive() { kill -0 "$1" 2>/dev/null; }
displayed() { [ -s "$runtime/display" ] || ! alive "$xvfb"; }

Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$runtime/display" >"$runtime/xvfb.log" 2>&1 &
xvfb=$!
if ! wait_for displayed || [ ! -s "$runtime/display" ]; then
    cat "$runtime/xvfb.log" >&2
    unavailable "the virtual X server did not start"
fi
export DISPLAY=:$(head -n 1 "$runtime/display")
export XDG_RUNTIME_DIR=$runtime
export QT_QPA_PLATFORM=xcb
unset XAUTHORITY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS

if [ $wm -eq 1 ]; then
    openbox --sm-disable >"$runtime/openbox.log" 2>&1 &
    openbox=$!
    # A window manager announces itself on the root window once it manages the screen, and then
    # publishes the area it leaves free for windows, which tests that place windows need.
    managing() {
        [ "$(xprop -root _NET_SUPPORTING_WM_CHECK _NET_WORKAREA 2>/dev/null | grep -c -e 'window id' -e ' = ')" = 2 ] ||
            ! alive "$openbox"
    }
    if ! wait_for managing || ! alive "$openbox"; then
        cat "$runtime/openbox.log" >&2
        unavailable "openbox did not start, or published no _NET_WORKAREA"
    fi
fi

if [ $atspi -eq 1 ]; then
    if ! dbus-daemon --session --fork --nosyslog --print-address=3 --print-pid=4 \
        3>"$runtime/bus.address" 4>"$runtime/bus.pid" 2>"$runtime/bus.log"; then
        cat "$runtime/bus.log" >&2
        unavailable "the session bus did not start"
    fi
    bus=$(head -n 1 "$runtime/bus.pid")
    export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$runtime/bus.address")
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    unset NO_AT_BRIDGE QT_ACCESSIBILITY
fi

# In the background so that a signal to us still stops everything; standard input passed on.
{ exec 5<&0; } 2>/dev/null || exec 5</dev/null
"$@" <&5 5<&- &
child=$!
exec 5<&-
wait "$child"
status=$?
child=""
exit $status
