#!/usr/bin/env bash
# The RTF corpus read by the Windows build gives the same text as by the Linux build:
#   same-text.sh LINUX-RTFDUMP WINE-RUN PREFIX DLL-FOLDERS WINDOWS-RTFDUMP CORPUS
# Without the corpus or the Linux build the check is skipped (77), or fails where
# SWELTRA_REQUIRE_CORPUS=1 (CI).
set -uo pipefail
[ $# -eq 6 ] || { echo "usage: $0 LINUX-RTFDUMP WINE-RUN PREFIX DLL-FOLDERS WINDOWS-RTFDUMP CORPUS" >&2; exit 2; }
linux=$1 wine_run=$2 prefix=$3 dlls=$4 windows=$5 corpus=$6
missing() {
    echo "SKIP: data missing: $1"
    [ "${SWELTRA_REQUIRE_CORPUS:-0}" = 1 ] && exit 1
    exit 77
}
[ -d "$corpus" ] || missing "no RTF corpus at $corpus"
[ -x "$linux" ] || missing "no Linux build's rtfdump at $linux (build the dev preset first)"
cd "$corpus" || exit 1
mapfile -t files < <(find . -name '*.rtf' | LC_ALL=C sort)
out=$(mktemp -d) || exit 1
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen "$linux" --each "${files[@]}" >"$out/linux.txt" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$wine_run" "$prefix" "$dlls" -- "$windows" --each "${files[@]}" 2>/dev/null |
    tr -d '\r' >"$out/windows.txt"
read_on_linux=$(grep -c '^== ' "$out/linux.txt")
if ! diff -u "$out/linux.txt" "$out/windows.txt" >"$out/diff.txt"; then
    echo "The Windows build reads these documents otherwise:"
    grep '^[-+]== \|^@@' "$out/diff.txt" | head -40
    head -c 4000 "$out/diff.txt"
    exit 1
fi
echo "same text from all $read_on_linux documents on both systems"
[ "$read_on_linux" -eq "${#files[@]}" ]
