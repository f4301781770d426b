#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the package need, and only those that
# are missing. As root it runs apt-get; otherwise through sudo when there is one; with neither it
# prints the line for root to run and fails.
# Usage: scripts/install-deps.sh [extra-package ...]
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libasio-dev libcli11-dev nlohmann-json3-dev
    clang libclang-rt-dev clang-format
    python3
    qt6-base-dev libgl-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libqt6sql6-sqlite
    fonts-liberation2 fonts-open-sans fonts-dejavu-core xdg-utils
    desktop-file-utils appstream dpkg-dev
    xvfb xauth openbox dbus at-spi2-core python3-pyatspi
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "These Debian packages are missing: ${missing[*]}" >&2
        echo "Run as root, then try again:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
