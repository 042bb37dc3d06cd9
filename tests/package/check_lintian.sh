#!/usr/bin/env bash
# Runs lintian on the .deb CPack builds. Every error and warning fails the test; the tags the
# package overrides on purpose are listed, with their reasons, in res/install/debian/lintian-overrides.
# Skipped (status 77) where lintian is not installed.
#   check_lintian.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build="$1"
scratch="$2"
command -v lintian > /dev/null || { echo "lintian is not installed: skipped"; exit 77; }
rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" > "$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; echo "FAIL: cpack did not build the package" >&2; exit 1; }
deb=$(ls "$scratch"/pkg/orxprog_*.deb | head -n 1)
# Everything lintian says, the overridden tags and the info level included, for the record...
lintian --info --show-overrides "$deb" 2>&1 | grep -v 'not recommended' || true
# ...and the verdict: no error and no warning that the package does not override.
lintian --fail-on error,warning "$deb" > "$scratch/lintian.log" 2>&1 ||
    { grep -v 'not recommended' "$scratch/lintian.log" >&2; echo "FAIL: lintian reports errors or warnings" >&2; exit 1; }
echo "lintian: no errors, no warnings"
