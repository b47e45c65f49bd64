#!/usr/bin/env bash
# Set-up, build, run and test on Debian 12.
#   ./sweltra.sh run    install what is missing, build, start the program
#   ./sweltra.sh test   install what is missing, build dev and asan, run every test; then the
#                       Windows build under Wine, where the Qt for Windows is at hand
#   ./sweltra.sh windows   install what is missing, build the Windows installer and zip
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    fonts-liberation2 fonts-dejavu-core fonts-comic-neue libpng-dev libfontconfig-dev
    xvfb openbox x11-utils xdotool imagemagick at-spi2-core python3-gi gir1.2-atspi-2.0 dbus-daemon
    poppler-utils
    desktop-file-utils appstream librsvg2-bin valgrind dpkg-dev
)
# The Windows build: MinGW-w64, NSIS for the installer, Wine to run it, icoutils to read its
# version block back.
windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 nsis icoutils python3)

install_missing() {
    local missing=()
    for p in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

# The Windows build needs a Qt for Windows: the one in the shared folder beside the checkout, or
# one named by SWELTRA_WINDOWS_QT. Without either it is skipped, saying so (it fails where SWELTRA_REQUIRE_WINDOWS=1, as in CI).
windows_qt() {
    [ -n "${SWELTRA_WINDOWS_QT:-}" ] && return 0
    [ -f "${SWELTRA_SHARED_DIR:-../shared}/qt-windows/qt6-base-6.4.2-mingw64.tar.xz" ] && return 0
    echo "Windows build skipped: no ../shared/qt-windows and no SWELTRA_WINDOWS_QT" >&2
    [ "${SWELTRA_REQUIRE_WINDOWS:-0}" = 1 ] && exit 1
    return 1
}
build_windows() {
    cmake --preset windows ${SWELTRA_WINDOWS_QT:+-DSWELTRA_WINDOWS_QT="$SWELTRA_WINDOWS_QT"} >/dev/null
    cmake --build --preset windows
}

case "${1:-}" in
run)
    install_missing
    build dev
    exec build/dev/bin/SweltraC
    ;;
test)
    install_missing
    build dev
    build asan
    status=0
    ctest --preset dev || status=1
    ctest --preset asan || status=1
    if windows_qt; then
        install_missing "${windows_packages[@]}"
        build_windows && ctest --preset windows || status=1
    fi
    exit $status
    ;;
windows)
    windows_qt || exit 1
    install_missing "${windows_packages[@]}"
    build_windows
    cmake --build --preset windows --target packages
    ;;
*)
    echo "usage: $0 run|test|windows" >&2
    exit 2
    ;;
esac
