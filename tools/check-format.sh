#!/usr/bin/env bash
# Fails when a C++ source file of the repository differs from what clang-format makes of it with the
# repository's .clang-format. Debian 12's clang-format (14) is the reference; it is installed when
# missing (apt-get as root, through sudo otherwise).
#
#   tools/check-format.sh         check, list the files that differ
#   tools/check-format.sh --fix   format them in place
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format > /dev/null; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get install -y clang-format
    else
        sudo apt-get install -y clang-format
    fi
fi
version=$(clang-format --version | sed -n 's/.*version \([0-9]*\).*/\1/p')
[ "$version" = 14 ] || echo "note: clang-format $version here; the reference is 14 (Debian 12)" >&2

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
differing=()
for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" > /dev/null 2>&1 || differing+=("$f")
done
if [ ${#differing[@]} -gt 0 ]; then
    echo "These files differ from .clang-format (tools/check-format.sh --fix formats them):" >&2
    printf '  %s\n' "${differing[@]}" >&2
    exit 1
fi
echo "All ${#files[@]} C++ files match .clang-format."
