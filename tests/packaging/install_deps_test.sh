#!/usr/bin/env bash
# scripts/install-deps.sh run by a user who is not root, on a machine without sudo, with a
# package missing: it prints the apt-get line for root to run and fails, installing nothing.
# Usage: install_deps_test.sh SOURCE_DIR
set -euo pipefail
script=$1/scripts/install-deps.sh
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
chmod 755 "$bin"
# A PATH with what the script needs and no sudo.
for tool in bash env id dpkg-query grep; do
    ln -s "$(command -v "$tool")" "$bin/$tool"
done
missing=corvane-no-such-package
run=(env PATH="$bin" bash "$script" "$missing")
if [ "$(id -u)" -eq 0 ]; then
    run=(setpriv --reuid=65534 --regid=65534 --clear-groups "${run[@]}")
fi
set +e
out=$("${run[@]}" 2>&1)
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
