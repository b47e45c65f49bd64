#!/usr/bin/env bash
# The Debian package from end to end, as root (or with sudo) on Debian 12: builds the release preset
# and the .deb, installs it with apt-get, walks the installed program on a virtual X server (the
# end-to-end walk), purges the package and checks that nothing of it is left. Logs and screenshots
# go to build/release/package-test/. Ends on "package: N passed, M failed"; exit status 0 only when
# every check passed.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
build=$PWD/build/release
out=$build/package-test
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive

passed=0 failed=0 started=$SECONDS
# check NAME PROBLEMS: passes when there are none; the seconds it took, for the CI's time.
check() {
    local took="($((SECONDS - started)) s)"
    started=$SECONDS
    if [ -z "$2" ]; then
        echo "PASS $1 $took" && passed=$((passed + 1))
    else
        echo "FAIL $1 $took:$2" && failed=$((failed + 1))
    fi
}
finish() {
    echo "package: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}
installed() { dpkg-query -W -f='${Status}' sweltra 2>/dev/null | grep -q 'install ok installed'; }

if installed; then
    check "clean machine" " sweltra is installed already; remove it first (apt-get purge sweltra)"
    finish
fi
# Whatever happens below, the machine is left without the package.
trap 'installed && "${sudo[@]}" apt-get purge -y -qq sweltra >/dev/null 2>&1' EXIT

# The package: the release preset (without the test suite), then CPack.
rm -rf "$out" "$build"/sweltra_*.deb && mkdir -p "$out"
if ! { cmake --preset release && cmake --build --preset release && (cd "$build" && cpack -G DEB); } >"$out/build.log" 2>&1; then
    tail -30 "$out/build.log"
    check "package built" " see $out/build.log"
    finish
fi
deb=$(ls "$build"/sweltra_*.deb)
problems=""
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || problems+=" section not utils;"
for dep in libqt6widgets6 libqt6core6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation2 fonts-dejavu-core fonts-comic-neue; do
    [[ ", $(dpkg-deb -f "$deb" Depends)," == *", $dep"[\ ,]* ]] || problems+=" no dependency on $dep;"
done
check "package built: ${deb##*/}" "$problems"

# Installed with its dependencies: the program on the path and a menu entry that starts it with an
# icon of the theme. (CPack packs the build's install, whose layout install_layout checks.)
if ! "${sudo[@]}" apt-get install -y -qq "$deb" >"$out/install.log" 2>&1; then
    tail -30 "$out/install.log"
    check "installed with apt-get" " see $out/install.log"
    finish
fi
problems=""
desktop=$(grep -l '^Exec=SweltraC' /usr/share/applications/*.desktop 2>/dev/null | head -n 1)
icon=$(sed -n 's/^Icon=//p' "${desktop:-/dev/null}")
[ "$(readlink -f "$(command -v SweltraC)")" = /usr/lib/sweltra/SweltraC ] || problems+=" SweltraC is not on the path;"
[ -n "$icon" ] && ls /usr/share/icons/hicolor/{scalable,48x48}/apps/"$icon".* >/dev/null 2>&1 ||
    problems+=" no menu entry with a themed icon;"
check "installed with apt-get" "$problems"

# The installed program, walked as the end-to-end test walks the built one.
if tools/with-x.sh --atspi -- /usr/bin/python3 tests/e2e/program_on_x.py /usr/bin/SweltraC "$out/walk" >"$out/walk.log" 2>&1; then
    check "installed program on X" ""
else
    check "installed program on X" "$(grep -v '^PASS ' "$out/walk.log" | tail -5 | tr '\n' ' ')"
fi

# Purged, nothing of the package is left: no file it listed, no folder that only it owned.
dpkg-query -L sweltra >"$out/files.txt"
if "${sudo[@]}" apt-get purge -y -qq sweltra >"$out/purge.log" 2>&1 && ! installed; then
    left=""
    while read -r path; do
        if [ -d "$path" ] && [ ! -L "$path" ]; then
            dpkg-query -S "$path" >/dev/null 2>&1 || left+=" $path"
        elif [ -e "$path" ] || [ -L "$path" ]; then
            left+=" $path"
        fi
    done < <(grep -vx '/\.' "$out/files.txt")
    check "purged without a trace" "$left"
else
    check "purged without a trace" " apt-get purge failed, see $out/purge.log"
fi
finish
