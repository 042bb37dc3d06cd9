#!/usr/bin/env bash
# Installs the build with `cmake --install` into a scratch root (DESTDIR) and starts the installed
# program on the offscreen platform, and the installed orxtool on a file.
#   check_install.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build="$1"
scratch="$2"
rm -rf "$scratch"
mkdir -p "$scratch"

fail() { echo "FAIL: $*" >&2; exit 1; }

root="$scratch/root"
DESTDIR="$root" cmake --install "$build" --prefix / > "$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log" >&2; fail "cmake --install failed"; }
for path in opt/orxprog/orxprog opt/orxprog/orxtool opt/orxprog/Program.ini usr/bin/orxprog usr/bin/orxtool \
            usr/share/applications/orxprog.desktop usr/share/icons/hicolor/256x256/apps/orxprog.png; do
    [ -e "$root/$path" ] || fail "the installation lacks /$path"
done
[ -x "$root/usr/bin/orxprog" ] || fail "the launcher is not executable"

out=$(cd "$scratch" && QT_QPA_PLATFORM=offscreen ORX_REPORT_FIRST_PAINT=1 timeout 60 "$root/opt/orxprog/orxprog")
grep -q '^painted' <<< "$out" || fail "the installed program did not show its window: $out"
# The example Program.ini beside it gave the model list; the program kept the file.
grep -q '^Type0=' "$root/opt/orxprog/Program.ini" || fail "the example Program.ini is missing its models"

"$root/opt/orxprog/orxtool" --help > /dev/null 2>&1 || fail "the installed orxtool does not run"
echo "installation checked"
