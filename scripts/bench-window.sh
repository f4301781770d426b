#!/usr/bin/env bash
# Runs the window bench on a real X server when one can be had (Xvfb), else on Qt's offscreen
# platform, and prints its figures, once per zoom (the table at 100% and at 200% by default).
# Usage: scripts/bench-window.sh [build-dir] [idle-seconds]; ZOOMS="100 150" picks the zooms.
set -euo pipefail
build=${1:-build}
idle=${2:-10}
bench="$build/tools/windowbench/corvane-window-bench"
for zoom in ${ZOOMS:-100 200}; do
    if [ -n "${DISPLAY:-}" ]; then
        "$bench" --idle-seconds "$idle" --zoom "$zoom"
    elif command -v xvfb-run >/dev/null; then
        echo "(on Xvfb)"
        xvfb-run -a -s "-screen 0 1920x1080x24" "$bench" --idle-seconds "$idle" --zoom "$zoom"
    else
        echo "(offscreen: install xvfb for a real X server)"
        QT_QPA_PLATFORM=offscreen "$bench" --idle-seconds "$idle" --zoom "$zoom"
    fi
done
