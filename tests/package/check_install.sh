#!/usr/bin/env bash
# Installs the build with `cmake --install` into a scratch root (DESTDIR) and starts the installed
# program on the offscreen platform, and the installed orxtool on the installed Program.ini.
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
for path in usr/lib/orxprog/orxprog usr/lib/orxprog/orxtool etc/orxprog/Program.ini usr/bin/orxprog \
            usr/bin/orxtool usr/share/man/man1/orxtool.1.gz usr/share/applications/orxprog.desktop \
            usr/share/icons/hicolor/256x256/apps/orxprog.png; do
    [ -e "$root/$path" ] || fail "the installation lacks /$path"
done
[ -x "$root/usr/bin/orxprog" ] || fail "the link on the PATH does not lead to the program"

export XDG_CONFIG_HOME="$scratch/config"
out=$(cd "$scratch" && QT_QPA_PLATFORM=offscreen ORX_REPORT_FIRST_PAINT=1 timeout 60 "$root/usr/bin/orxprog")
grep -q '^painted' <<< "$out" || fail "the installed program did not show its window: $out"

"$root/usr/bin/orxtool" --version | grep -q '^orxtool ' || fail "the installed orxtool does not run"
"$root/usr/bin/orxtool" new "$scratch/new.sin" --ini "$root/etc/orxprog/Program.ini" ||
    fail "the installed orxtool cannot write a new file"
"$root/usr/bin/orxtool" dump "$scratch/new.sin" --ini "$root/etc/orxprog/Program.ini" | grep -q '^model=ORX-V1$' ||
    fail "the installed Program.ini does not give the model list"
echo "installation checked"
