#!/usr/bin/env bash
# Runs the window bench on a real X server when one can be had (Xvfb), else on Qt's offscreen
# platform, and prints its figures. Usage: scripts/bench-window.sh [build-dir] [idle-seconds]
set -euo pipefail
build=${1:-build}
idle=${2:-10}
bench="$build/tools/windowbench/corvane-window-bench"
if [ -n "${DISPLAY:-}" ]; then
    exec "$bench" --idle-seconds "$idle"
elif command -v xvfb-run >/dev/null; then
    echo "(on Xvfb)"
    exec xvfb-run -a "$bench" --idle-seconds "$idle"
else
    echo "(offscreen: install xvfb for a real X server)"
    QT_QPA_PLATFORM=offscreen exec "$bench" --idle-seconds "$idle"
fi
