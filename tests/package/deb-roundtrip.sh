#!/usr/bin/env bash
# The Debian package from end to end, as root (or with sudo) on a Debian 12 machine: builds the
# release preset and the .deb, installs it with apt-get, runs the installed program through its
# /usr/bin link on a virtual X server (installed_program.py), purges the package and checks that
# nothing of it is left. Screenshots, the program's output and the About box's text go to
# build/release/package-test/. Ends on a line "package: N passed, M failed"; exit status 0 only
# when every check passed.
set -uo pipefail
cd "$(dirname "$0")/../.."
source_dir=$PWD
build=$source_dir/build/release
out=$build/package-test
here=$source_dir/tests/package

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive

passed=0 failed=0
pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1${2:+: $2}"; failed=$((failed + 1)); }
# Seconds each stage took, for keeping an eye on the CI's time.
times=""
stage_start=$SECONDS
lap() {
    times+=" $1 $((SECONDS - stage_start)) s,"
    stage_start=$SECONDS
}
finish() {
    [ -z "$times" ] || echo "times:${times%,}"
    echo "package: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

installed() { dpkg-query -W -f='${Status}' sweltra 2>/dev/null | grep -q 'install ok installed'; }

if installed; then
    echo "sweltra is already installed; remove it first (apt-get purge sweltra), this test purges it" >&2
    fail "clean machine" "sweltra already installed"
    finish
fi
# Whatever happens below, the machine is left without the package.
trap 'installed && "${sudo[@]}" apt-get purge -y -qq sweltra >/dev/null 2>&1' EXIT

# 1. The package: the release preset (it leaves out the test suite), then CPack.
rm -rf "$out" && mkdir -p "$out"
rm -f "$build"/sweltra_*.deb
if cmake --preset release >"$out/build.log" 2>&1 &&
    cmake --build --preset release >>"$out/build.log" 2>&1 &&
    (cd "$build" && cpack -G DEB >>"$out/build.log" 2>&1); then
    deb=$(ls "$build"/sweltra_*.deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    section=$(dpkg-deb -f "$deb" Section)
    missing=""
    for dep in libqt6widgets6 libqt6core6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation2 fonts-dejavu-core fonts-comic-neue; do
        [[ ", $depends," == *", $dep"[\ ,]* ]] || missing+=" $dep"
    done
    if [ "$section" = utils ] && [ -z "$missing" ]; then
        pass "package built: $(basename "$deb")"
    else
        fail "package built" "section '$section', dependencies missing:$missing"
    fi
else
    tail -30 "$out/build.log"
    fail "package built" "build or cpack failed, see $out/build.log"
    finish
fi

lap build

# 2. apt-get installs it with its dependencies; the link and the documents are in place.
if ! "${sudo[@]}" apt-get install -y -qq "$deb" >"$out/install.log" 2>&1; then
    tail -30 "$out/install.log"
    fail "installed with apt-get" "see $out/install.log"
    finish
fi
problems=""
[ "$(readlink -f /usr/bin/SweltraC)" = /usr/lib/sweltra/SweltraC ] || problems+=" /usr/bin/SweltraC does not lead to /usr/lib/sweltra/SweltraC;"
[ -x /usr/lib/sweltra/SweltraC ] || problems+=" the program is not executable;"
for doc in src/resources/documents/*.rtf; do
    [ -e "$doc" ] || continue
    cmp -s "$doc" "/usr/lib/sweltra/$(basename "$doc")" || problems+=" $(basename "$doc") missing or different;"
done
if [ -z "$problems" ]; then pass "installed with apt-get"; else fail "installed with apt-get" "$problems"; fi
dpkg-query -L sweltra >"$out/files.txt"

lap install

# 3-5. The installed program on a virtual X server, read through its accessibility tree.
"$source_dir/tools/with-x.sh" --atspi -- /usr/bin/python3 "$here/installed_program.py" /usr/bin/SweltraC "$out" \
    >"$out/ui.log" 2>&1 || grep -q '^FAIL ' "$out/ui.log" || echo "FAIL program on X: see $out/ui.log" >>"$out/ui.log"
while read -r verdict name; do
    case $verdict in
    PASS) pass "$name" ;;
    FAIL) fail "$name" ;;
    esac
done < <(grep -E '^(PASS|FAIL) ' "$out/ui.log")
if ! grep -q '^PASS ' "$out/ui.log" || grep -q '^FAIL ' "$out/ui.log"; then
    grep -q '^PASS \|^FAIL ' "$out/ui.log" || fail "program on X" "no result"
    echo "--- $out/ui.log:"
    grep -vE '^(PASS|FAIL) ' "$out/ui.log" | tail -20
fi

lap program

# 6. Purged, nothing of the package is left: no file it listed, no folder that only it owned.
if "${sudo[@]}" apt-get purge -y -qq sweltra >"$out/purge.log" 2>&1 && ! installed; then
    left=""
    while read -r path; do
        [ "$path" = /. ] && continue
        if [ -d "$path" ] && [ ! -L "$path" ]; then
            dpkg-query -S "$path" >/dev/null 2>&1 || left+=" $path"
        elif [ -e "$path" ] || [ -L "$path" ]; then
            left+=" $path"
        fi
    done <"$out/files.txt"
    [ -e /usr/lib/sweltra ] && left+=" /usr/lib/sweltra"
    if [ -z "$left" ]; then pass "purged without a trace"; else fail "purged without a trace" "left:$left"; fi
else
    fail "purged without a trace" "apt-get purge failed, see $out/purge.log"
fi
lap purge
finish
