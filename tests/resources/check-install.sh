#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that it holds exactly the layout a package
# ships: the program and its documents in one folder, a relative link in bin/, the desktop files
# and icons, the copyright, changelog and manual page.
# Usage: check-install.sh CMAKE BUILD_DIR ROOT DOCUMENTS_DIR APP_ID
set -euo pipefail
cmake=$1 build=$2 root=$3 documents=$4 id=$5
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$root"
"$cmake" --install "$build" --prefix "$root" >/dev/null

program=lib/sweltra/SweltraC
[ -f "$root/$program" ] && [ ! -L "$root/$program" ] && [ -x "$root/$program" ] || fail "$program is not an executable file"
# A relative link keeps working when the tree is moved.
[ "$(readlink "$root/bin/SweltraC")" = "../$program" ] || fail "bin/SweltraC is not a relative link to $program"

expected=("$program" bin/SweltraC "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$id.svg"
    share/doc/sweltra/copyright share/doc/sweltra/changelog.gz share/man/man1/SweltraC.1.gz)
for side in 32 48 256; do
    icon="share/icons/hicolor/${side}x${side}/apps/$id.png"
    expected+=("$icon")
    # Width and height stand big-endian at bytes 16 to 23 of a PNG file.
    [ "$(od -An -tu4 --endian=big -j16 -N8 "$root/$icon" 2>/dev/null | xargs)" = "$side $side" ] ||
        fail "$icon is missing or not ${side}x$side"
done
for doc in "$documents"/*.rtf; do
    expected+=("lib/sweltra/${doc##*/}")
    cmp -s "$doc" "$root/lib/sweltra/${doc##*/}" || fail "${doc##*/} differs from its source or is missing"
done

# Nothing missing, nothing more.
diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) \
    <(cd "$root" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort) >&2 ||
    fail "installed files differ from the layout (< wanted, > installed)"
echo "installed layout OK: ${#expected[@]} files"
