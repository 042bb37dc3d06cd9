#!/usr/bin/env bash
# Sets up a Debian 12 machine for orxprog, builds it, and then starts it or runs the tests.
#
#   tools/dev.sh run [orxprog options]   install what is missing, build, start the program
#   tools/dev.sh test                    install what is missing, build, run every test
#
# Packages are installed with apt-get (as root, or through sudo). The build goes to ./build and
# every executable of the project lands in ./build/bin.
set -euo pipefail

cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-serialport-dev libqt6serialport6-dev qt6-qpa-plugins libgl1-mesa-dev libx11-dev
    fonts-wqy-microhei qt6-translations-l10n
    dpkg-dev file
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build build --parallel
}

mode="${1:-}"
[ $# -gt 0 ] && shift
case "$mode" in
run)
    install_missing
    build
    exec build/bin/orxprog "$@"
    ;;
test)
    install_missing
    build
    ctest --test-dir build --output-on-failure --timeout 900
    ;;
*)
    echo "usage: tools/dev.sh run [orxprog options] | tools/dev.sh test" >&2
    exit 2
    ;;
esac
