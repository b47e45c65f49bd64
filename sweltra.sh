#!/usr/bin/env bash
# Set-up, build, run and test on Debian 12.
#   ./sweltra.sh run    install what is missing, build, start the program
#   ./sweltra.sh test   install what is missing, build dev and asan, run every test
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev
    fonts-liberation2 fonts-dejavu-core fonts-comic-neue libpng-dev libfontconfig-dev
    xvfb openbox x11-utils xdotool imagemagick at-spi2-core python3-gi gir1.2-atspi-2.0 dbus-daemon
    poppler-utils
    desktop-file-utils appstream librsvg2-bin valgrind dpkg-dev
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
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
    exit $status
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
