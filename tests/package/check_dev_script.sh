#!/usr/bin/env bash
# tools/dev.sh, the README's set-up: every package it names is a real Debian package (a virtual one
# is never "installed" and would send every run to apt-get), and apt-get runs only for what is
# missing. The second part runs dev.sh's setup against stand-ins for dpkg-query, id, apt-get and
# sudo that record their calls; nothing is installed.
#   check_dev_script.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir="$1"
scratch="$2"
rm -rf "$scratch"
mkdir -p "$scratch"
fail() { echo "FAIL: $*" >&2; exit 1; }
dev="$source_dir/tools/dev.sh"

mapfile -t packages < <("$dev" packages)
[ ${#packages[@]} -gt 5 ] || fail "dev.sh names no packages"
for p in "${packages[@]}"; do
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" = installed ] && continue
    apt-cache show --no-all-versions "$p" 2> /dev/null | grep -qx "Package: $p" ||
        fail "$p is neither installed nor a package apt knows (virtual?)"
done

# stand-ins: MISSING lists the packages dpkg-query calls missing, UID_NOW the user id.
fake="$scratch/bin"
mkdir -p "$fake"
log="$scratch/calls.log"
cat > "$fake/dpkg-query" << 'STUB'
#!/bin/bash
for p in $MISSING; do [ "$p" = "${!#}" ] && exit 1; done
printf installed
STUB
cat > "$fake/id" << 'STUB'
#!/bin/bash
echo "$UID_NOW"
STUB
for tool in apt-get sudo; do
    printf '#!/bin/bash\necho "%s $*" >> "%s"\n' "$tool" "$log" > "$fake/$tool"
done
chmod +x "$fake"/*
for tool in dirname env bash; do ln -s "$(command -v $tool)" "$fake/$tool"; done
nosudo="$scratch/nosudo"
mkdir -p "$nosudo"
for tool in dpkg-query id dirname env bash; do ln -s "$fake/$tool" "$nosudo/$tool"; done

# name | missing | uid | path | status | calls expected (one line each, '|' between lines)
cases=(
    "all there, root||0|$fake|0|"
    "all there, a user without sudo||1000|$nosudo|0|"
    "one missing, root|qt6-base-dev|0|$fake|0|apt-get update -q;apt-get install -y -q --no-install-recommends qt6-base-dev"
    "one missing, a user with sudo|qt6-base-dev|1000|$fake|0|sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q;sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends qt6-base-dev"
    "one missing, a user without sudo|qt6-base-dev|1000|$nosudo|1|"
    "only lintian missing, a user without sudo|lintian|1000|$nosudo|0|"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name missing uid path status expected <<< "$c"
    rm -f "$log"
    set +e
    out=$(MISSING="$missing" UID_NOW="$uid" PATH="$path" "$fake/bash" "$dev" setup 2>&1)
    rc=$?
    set -e
    [ "$rc" = "$status" ] || fail "$name: status $rc, expected $status: $out"
    calls=$(cat "$log" 2> /dev/null | paste -sd ';' || true)
    [ "$calls" = "$expected" ] || fail "$name: calls '$calls', expected '$expected'"
    if [ -n "$missing" ] && [ "$path" = "$nosudo" ]; then
        grep -q "apt-get install $missing" <<< "$out" || fail "$name: no command to give the administrator: $out"
    fi
done
echo "dev.sh checked"
