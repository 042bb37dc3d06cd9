#!/usr/bin/env bash
# Builds the .deb with CPack and checks what it holds and what it depends on: the programs, links,
# manual pages, the machine-readable copyright, the changelog, Program.ini as a configuration file;
# then unpacks it into a scratch root and starts the unpacked program on the offscreen platform.
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
for path in ./usr/lib/orxprog/orxprog ./usr/lib/orxprog/orxtool ./usr/lib/orxprog/orx-radio-sim \
            ./usr/bin/orxprog ./usr/bin/orxtool ./usr/bin/orx-radio-sim ./etc/orxprog/Program.ini \
            ./usr/share/man/man1/orxprog.1.gz ./usr/share/man/man1/orxtool.1.gz \
            ./usr/share/man/man1/orx-radio-sim.1.gz ./usr/share/doc/orxprog/copyright \
            ./usr/share/doc/orxprog/changelog.Debian.gz ./usr/share/applications/orxprog.desktop \
            ./usr/share/icons/hicolor/48x48/apps/orxprog.png ./usr/share/mime/packages/orxprog.xml \
            ./usr/share/bash-completion/completions/orxtool ./usr/share/orxprog/orxprog-image.schema.json; do
    grep -qx -- "$path" <<< "$contents" || fail "the package lacks $path"
done
# Nothing of the build or the tests slips in, and nothing lands in /opt.
if grep -E 'tst_|bench|CMake|^\./opt' <<< "$contents"; then fail "the package holds build or test files, or /opt"; fi

[ "$(dpkg-deb -f "$deb" Package)" = orxprog ] || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6serialport6 libqt6printsupport6 libqt6core6 qt6-qpa-plugins; do
    grep -q "$dep" <<< "$depends" || fail "Depends lacks $dep: $depends"
done
maintainer=$(dpkg-deb -f "$deb" Maintainer)
grep -Eq '^[^<]+ <[^@ ]+@[^@ ]+\.[a-z]+>$' <<< "$maintainer" || fail "no real maintainer: $maintainer"
grep -q localhost <<< "$maintainer" && fail "the maintainer's address is on localhost: $maintainer"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 5 ] || fail "the description has no long part"

# The administrator's Program.ini survives upgrades: it is a configuration file.
dpkg-deb -e "$deb" "$scratch/control"
grep -qx /etc/orxprog/Program.ini "$scratch/control/conffiles" || fail "Program.ini is not a conffile"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
[ "$(readlink "$root/usr/bin/orxprog")" = ../lib/orxprog/orxprog ] || fail "/usr/bin/orxprog does not lead to the program"
copyright="$root/usr/share/doc/orxprog/copyright"
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not machine-readable"
for field in '^Files: \*' '^Copyright: ' '^License: '; do
    grep -q "$field" "$copyright" || fail "the copyright file lacks $field"
done
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/orxprog/changelog.Debian.gz" | head -n 1 | grep -q "^orxprog ($version) " ||
    fail "the changelog does not begin with version $version"
for page in orxprog orxtool orx-radio-sim; do
    zcat "$root/usr/share/man/man1/$page.1.gz" | head -n 1 | grep -q '^\.TH ' || fail "$page.1 is no manual page"
done
grep -q '^Exec=orxprog' "$root/usr/share/applications/orxprog.desktop" || fail "the desktop entry does not start orxprog"
grep -q '^Icon=orxprog' "$root/usr/share/applications/orxprog.desktop" || fail "the desktop entry has no icon"
out=$(cd "$scratch" && QT_QPA_PLATFORM=offscreen ORX_REPORT_FIRST_PAINT=1 timeout 60 "$root/usr/lib/orxprog/orxprog")
grep -q '^painted' <<< "$out" || fail "the unpacked program did not show its window: $out"
echo "package $(basename "$deb") checked"
