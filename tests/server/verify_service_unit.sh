#!/usr/bin/env bash
# Checks server/corvane-lobby.service with systemd-analyze verify, the unit's binary path
# pointed at the one just built; its man page (Documentation=) comes with the package, not the
# build machine. Skipped (77) where systemd-analyze is not installed.
# Usage: verify_service_unit.sh UNIT BINARY
set -euo pipefail
unit=$1
binary=$2
if ! command -v systemd-analyze >/dev/null; then
    echo "systemd-analyze not installed: skipped"
    exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
sed "s|/usr/bin/corvane-lobby|$binary|" "$unit" >"$dir/corvane-lobby.service"
# verify prints its findings on standard error and fails on errors; warnings fail here too.
output=$(systemd-analyze verify --man=no "$dir/corvane-lobby.service" 2>&1)
if [ -n "$output" ]; then
    echo "$output"
    exit 1
fi
echo "corvane-lobby.service: verified"
