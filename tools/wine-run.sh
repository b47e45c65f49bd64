#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own Wine prefix:
#   tools/wine-run.sh [--x] PREFIX DLL-FOLDERS -- PROGRAM [ARGS...]
# DLL-FOLDERS (separated by ':') are searched for the DLLs the program links. The prefix is made
# on first use: Windows 10, no crash dialog, no Mono or Gecko prompts, and the font replacements
# below, and temporary files in the Unix temporary folder, which Linux programs started from
# Wine can read too; its windows are drawn on the X server of DISPLAY when it was made with --x, and nowhere
# otherwise (the test programs draw offscreen, and need no X server). The exit status is the
# program's.
set -uo pipefail
graphics=null
[ "${1:-}" = "--x" ] && { graphics=x11; shift; }
[ $# -ge 4 ] && [ "$3" = "--" ] || { echo "usage: $0 [--x] PREFIX DLL-FOLDERS -- PROGRAM [ARGS...]" >&2; exit 2; }
prefix=$1 dlls=$2
shift 3

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine) || { echo "wine-run: wine is not installed" >&2; exit 1; }
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine names Unix folders through its Z: drive.
winepath=""
IFS=':' read -r -a folders <<<"$dlls"
for folder in "${folders[@]}"; do
    winepath+="Z:${folder//\//\\};"
done
export WINEPATH="$winepath"

# Wine has none of the faces the windows name. It is given the same metric-compatible faces that
# the Linux build substitutes, so that captions are measured alike on both.
setup() {
    "$wine" wineboot -u >/dev/null 2>&1
    local reg=$prefix/sweltra.reg
    cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="$graphics"

[HKEY_CURRENT_USER\Environment]
"TEMP"="Z:${TMPDIR:-/tmp}"
"TMP"="Z:${TMPDIR:-/tmp}"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS Sans Serif"="Liberation Sans"
"Arial"="Liberation Sans"
"Verdana"="DejaVu Sans"
"Comic Sans MS"="Comic Neue"
REG
    "$wine" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
    wineserver -w 2>/dev/null || "${wine%/*}/wineserver" -w 2>/dev/null
    touch "$prefix/.sweltra-ready"
}

mkdir -p "$prefix"
(
    flock 9
    [ -e "$prefix/.sweltra-ready" ] || setup
) 9>"$prefix.lock"

# A Qt Test program on Windows writes its plain-text log to the debugger, not to a redirected
# standard output: it writes to a file instead, shown when the program ends.
program=$1
shift
case ${program##*/} in
tst_*.exe)
    log=$(mktemp "${TMPDIR:-/tmp}/wine-test.XXXXXX") || exit 1
    "$wine" "$program" "$@" -o "Z:${log//\//\\},txt"
    status=$?
    cat "$log"
    rm -f "$log"
    exit $status
    ;;
esac
exec "$wine" "$program" "$@"
