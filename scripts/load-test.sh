#!/usr/bin/env bash
# Starts corvane-lobby on free loopback ports with its default limits, runs corvane-load
# against it (each table from a loopback address of its own, 127.0.0.2 and up), and stops it.
# Usage: scripts/load-test.sh [build-dir]   (TABLES, RATE and RUN_SECONDS set the run; defaults
# 2500 tables, 50000 relayed messages per second, 10 seconds. LOBBY_CPUS and LOAD_CPUS pin
# the server and the tool to cores with taskset, e.g. LOBBY_CPUS=0 LOAD_CPUS=1)
set -euo pipefail

build=${1:-build}
tables=${TABLES:-2500}
rate=${RATE:-50000}
seconds=${RUN_SECONDS:-10}
log=$(mktemp)

pin() {
    if [ -n "$1" ]; then
        echo taskset -c "$1"
    fi
}

# The first line the server prints names the ports it was given.
coproc LOBBY { exec $(pin "${LOBBY_CPUS:-}") "$build/server/corvane-lobby" --address 127.0.0.1 \
    --list-port 0 --host-port 0 --player-port 0 --quiet 2>"$log"; }
trap 'kill "$LOBBY_PID" 2>/dev/null || true; rm -f "$log"' EXIT
read -r line <&"${LOBBY[0]}"
ports=($(sed -E 's/.*list=([0-9]+) host=([0-9]+) player=([0-9]+).*/\1 \2 \3/' <<<"$line"))

$(pin "${LOAD_CPUS:-}") "$build/tools/load/corvane-load" --list-port "${ports[0]}" \
    --host-port "${ports[1]}" --player-port "${ports[2]}" --tables "$tables" --rate "$rate" \
    --seconds "$seconds"
