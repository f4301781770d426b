#!/usr/bin/env bash
# scripts/install-deps.sh run by a user who is not root, on a machine without sudo, with a
# package missing: it prints the apt-get line for root to run and fails, installing nothing.
# As root the run drops to the unprivileged user, so it runs a copy of the script from a folder
# of its own that anyone may read: the checkout may sit where only its owner can look (root's
# home, a mktemp -d folder).
# Usage: install_deps_test.sh SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir -m 755 "$work/bin" "$work/scripts"
# The script reads nothing beside itself.
install -m 755 "$1/scripts/install-deps.sh" "$work/scripts/install-deps.sh"
script=$work/scripts/install-deps.sh
# A PATH with what the script needs and no sudo.
for tool in bash env id dpkg-query grep; do
    ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
missing=corvane-no-such-package
run=(env PATH="$work/bin" bash "$script" "$missing")
if [ "$(id -u)" -eq 0 ]; then
    run=(setpriv --reuid=65534 --regid=65534 --clear-groups "${run[@]}")
    # The temporary folder's own parents must let that user through too (TMPDIR may be private).
    if ! setpriv --reuid=65534 --regid=65534 --clear-groups test -r "$script"; then
        echo "$work is not readable by uid 65534 (set TMPDIR to a folder others can read): skipped"
        exit 77
    fi
fi
set +e
out=$(cd / && "${run[@]}" 2>&1)
code=$?
set -e
echo "$out"
[ "$code" -ne 0 ] || { echo "FAIL: exit 0 without installing $missing" >&2; exit 1; }
grep -q "apt-get install -y --no-install-recommends .*$missing" <<<"$out" ||
    { echo "FAIL: no apt-get line for root" >&2; exit 1; }
if grep -q "sudo: command not found" <<<"$out"; then
    echo "FAIL: tried sudo" >&2
    exit 1
fi
echo "install-deps.sh without root or sudo: exit $code with the line for root"
