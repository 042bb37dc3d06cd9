#!/usr/bin/env bash
# Builds the .deb with CPack and checks what it holds and what it depends on, then unpacks it into a
# scratch root and starts the unpacked program on the offscreen platform.
#   check_package.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build="$1"
scratch="$2"
rm -rf "$scratch"
mkdir -p "$scratch"

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" > "$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack did not build the package"; }
deb=$(ls "$scratch"/pkg/orxprog_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no orxprog_*.deb was written"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./opt/orxprog/orxprog ./opt/orxprog/orxtool ./opt/orxprog/orx-radio-sim ./usr/bin/orx-radio-sim ./opt/orxprog/Program.ini ./usr/bin/orxprog \
            ./usr/bin/orxtool ./usr/share/applications/orxprog.desktop \
            ./usr/share/icons/hicolor/48x48/apps/orxprog.png ./usr/share/mime/packages/orxprog.xml; do
    grep -qx -- "$path" <<< "$contents" || fail "the package lacks $path"
done
# Nothing of the build or the tests slips in.
if grep -E 'tst_|bench|CMake' <<< "$contents"; then fail "the package holds build or test files"; fi

[ "$(dpkg-deb -f "$deb" Package)" = orxprog ] || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6serialport6 libqt6printsupport6 libqt6core6 qt6-qpa-plugins; do
    grep -q "$dep" <<< "$depends" || fail "Depends lacks $dep: $depends"
done

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
grep -q '^exec "/opt/orxprog/orxprog"' "$root/usr/bin/orxprog" || fail "the launcher does not start /opt/orxprog/orxprog"
grep -q '^Exec=orxprog' "$root/usr/share/applications/orxprog.desktop" || fail "the desktop entry does not start orxprog"
grep -q '^Icon=orxprog' "$root/usr/share/applications/orxprog.desktop" || fail "the desktop entry has no icon"
out=$(cd "$scratch" && QT_QPA_PLATFORM=offscreen ORX_REPORT_FIRST_PAINT=1 timeout 60 "$root/opt/orxprog/orxprog")
grep -q '^painted' <<< "$out" || fail "the unpacked program did not show its window: $out"
echo "package $(basename "$deb") checked"
