#!/usr/bin/env bash
# The Windows installer from end to end under Wine, on the X server in DISPLAY (tools/with-x.sh):
#   installer-roundtrip.sh WINE-RUN PACKAGES-FOLDER OUTPUT-FOLDER
# In a Wine prefix of its own: a silent install, after which the files, the Start-menu shortcut and
# the uninstall entry exist; the installed program passes the walk of program_under_wine.py (its
# screenshots in OUTPUT-FOLDER/walk/); an install over it puts a changed document back; a silent
# uninstall, after which no file, shortcut or key of it is left. Ends on "installer: N passed, M failed"; exit status 0 only when every check passed.
set -uo pipefail
[ $# -eq 3 ] || { echo "usage: $0 WINE-RUN PACKAGES-FOLDER OUTPUT-FOLDER" >&2; exit 2; }
wine_run=$1 packages=$2 out=$3
setup=$(ls "$packages"/sweltra-*-setup.exe 2>/dev/null | head -n 1)
[ -n "$setup" ] || { echo "no installer in $packages" >&2; exit 1; }
rm -rf "$out" && mkdir -p "$out"
prefix=$out/prefix
export WINEPREFIX=$prefix
folder="$prefix/drive_c/Program Files/Sweltra"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sweltra.lnk"
key='Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Sweltra'

passed=0 failed=0
check() {
    if [ -z "$2" ]; then
        echo "PASS $1" && passed=$((passed + 1))
    else
        echo "FAIL $1:$2" && failed=$((failed + 1))
    fi
}
wine() { "$wine_run" --x "$prefix" "" -- "$@"; }
settle() { wineserver -w; }
# The prefix's registry as written to disk, and what it and drive C: hold beside Wine's own.
uninstall_entry() { settle; sed -n "/^\[$key\]/,/^\$/p" "$prefix/system.reg"; }
snapshot() {
    settle
    (cd "$prefix/drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o -print | LC_ALL=C sort)
    grep -i -c sweltra "$prefix/system.reg" "$prefix/user.reg"
}

wine cmd /c exit >/dev/null 2>&1 # makes the prefix
before=$(snapshot)

wine "$setup" /S
problems=""
[ "$(ls "$folder"/*.rtf | wc -l)" -eq 8 ] || problems+=" not the eight documents;"
[ -f "$shortcut" ] || problems+=" no Start-menu shortcut Sweltra;"
entry=$(uninstall_entry)
for value in '"DisplayName"="Sweltra"' '"DisplayVersion"="' '"Publisher"="Rudev"' '"EstimatedSize"=dword:' \
    '"DisplayIcon"="C:\\Program Files\\Sweltra\\SweltraC.exe,0"' '"UninstallString"='; do
    grep -qF "$value" <<<"$entry" || problems+=" the uninstall entry has no $value;"
done
check "silent install" "$problems"

# The installed program, started from its folder as the shortcut starts it, walked as a person uses it.
/usr/bin/python3 "${0%/*}/program_under_wine.py" "$wine_run" "$prefix" "$folder" "$out/walk"
check "installed program walked" "$([ $? -eq 0 ] || echo ' a step failed, above')"
wineserver -k
settle

# An install over it puts the supplied documents back.
document="$folder/Medical Conditions.rtf"
cp "$document" "$out/supplied.rtf" && echo changed >"$document"
wine "$setup" /S
settle
check "install over it replaces the documents" "$(cmp -s "$document" "$out/supplied.rtf" || echo ' Medical Conditions.rtf kept the change')"

# The uninstaller copies itself away, starts the copy and returns: give the copy time to finish.
wine "$folder/Uninstall.exe" /S
for _ in $(seq 60); do
    [ -e "$folder" ] || break
    sleep 1
done
after=$(snapshot)
problems=""
[ ! -e "$folder" ] || problems+=" Program Files\\Sweltra is left: $(ls "$folder" | tr '\n' ' ');"
[ ! -e "$shortcut" ] || problems+=" the shortcut is left;"
[ -z "$(uninstall_entry)" ] || problems+=" the uninstall entry is left;"
[ "$before" = "$after" ] || problems+=" left behind: $(diff <(echo "$before") <(echo "$after") | grep '^>' | tr '\n' ' ');"
check "silent uninstall leaves nothing" "$problems"

echo "installer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
