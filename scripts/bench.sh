#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of a build folder (the drawing ones under Xvfb), then
# the load bench of the leaderboard server: SQLite, then a throwaway
# PostgreSQL cluster started for it and removed after.
set -e
SOURCES=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-build}
cd "$BUILD/bench"
for b in ./bench_*; do
    [ -x "$b" ] || continue
    echo "== $b"
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$b"
done
if [ -x ./charge_scores ]; then
    echo "== ./charge_scores"
    pg=$(pwd)/postgres-charge
    sh "$SOURCES/tests/server/postgres.sh" start "$pg"
    url=$(cat "$pg/url")
    case $url in skip:*) echo "PostgreSQL: $url"; url="" ;; esac
    statut=0
    ./charge_scores ../server/vorna-scores $url || statut=$?
    sh "$SOURCES/tests/server/postgres.sh" stop "$pg"
    exit $statut
fi
