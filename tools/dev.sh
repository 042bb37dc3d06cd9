#!/usr/bin/env bash
# Sets up a Debian 12 machine for orxprog, builds it, and then starts it or runs the tests.
#
#   tools/dev.sh run [orxprog options]   install what is missing, build, start the program
#   tools/dev.sh test                    install what is missing, build, run every test
#   tools/dev.sh setup                   only install what is missing
#   tools/dev.sh packages                list the packages the other modes need, one a line
#
# Only missing packages are installed, with apt-get (as root, or through sudo); when everything is
# there, apt-get is not called at all, so a user without sudo builds as well. The build goes to
# ./build and every executable of the project lands in ./build/bin.
set -euo pipefail

cd "$(dirname "$0")/.."

# Real packages of Debian 12 only: a virtual name (libqt6serialport6-dev is one) is never
# "installed" and would send every run to apt-get.
build_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl1-mesa-dev libx11-dev
    fonts-wqy-microhei qt6-translations-l10n
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
)
# The package tests: CPack's Debian generator needs dpkg-shlibdeps and file.
test_packages=(dpkg-dev file)
# Wanted by the tests, not needed: without it the lintian test is skipped.
optional_test_packages=(lintian)

missing_of() {
    local p
    for p in "$@"; do
        [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" = installed ] || echo "$p"
    done
}

# install_missing REQUIRED... -- OPTIONAL...
install_missing() {
    local required=() optional=() seen_separator=0 p
    for p in "$@"; do
        if [ "$p" = -- ]; then seen_separator=1
        elif [ $seen_separator -eq 0 ]; then required+=("$p")
        else optional+=("$p")
        fi
    done
    local missing_required=() missing_optional=()
    mapfile -t missing_required < <(missing_of "${required[@]}")
    [ ${#optional[@]} -gt 0 ] && mapfile -t missing_optional < <(missing_of "${optional[@]}")
    local missing=("${missing_required[@]}" "${missing_optional[@]}")
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo > /dev/null; then
            sudo=(sudo)
        else
            echo "Missing packages: ${missing[*]}" >&2
            echo "Not root and no sudo: ask an administrator to run" >&2
            echo "    apt-get install ${missing[*]}" >&2
            [ ${#missing_required[@]} -eq 0 ] && return 0 # only optional ones: carry on without
            return 1
        fi
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# As many jobs as the machine has cores (Ninja alone would start cores + 2), unless
# CMAKE_BUILD_PARALLEL_LEVEL says how many.
build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build build --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
}

mode="${1:-}"
[ $# -gt 0 ] && shift
case "$mode" in
run)
    install_missing "${build_packages[@]}"
    build
    exec build/bin/orxprog "$@"
    ;;
test)
    install_missing "${build_packages[@]}" "${test_packages[@]}" -- "${optional_test_packages[@]}"
    build
    ctest --test-dir build --output-on-failure --timeout 900
    ;;
setup)
    install_missing "${build_packages[@]}" "${test_packages[@]}" -- "${optional_test_packages[@]}"
    ;;
packages)
    printf '%s\n' "${build_packages[@]}" "${test_packages[@]}" "${optional_test_packages[@]}"
    ;;
*)
    echo "usage: tools/dev.sh run [orxprog options] | tools/dev.sh test | tools/dev.sh setup | tools/dev.sh packages" >&2
    exit 2
    ;;
esac
