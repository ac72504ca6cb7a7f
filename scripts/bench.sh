#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of a build folder (the drawing ones under Xvfb), then
# the load bench of the leaderboard server: SQLite, then a throwaway
# PostgreSQL cluster started for it and removed after. Last, the rows of the
# frame, start-up and memory targets the drawing benches printed ("| ..."),
# gathered in one table.
set -e
SOURCES=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-build}
cd "$BUILD/bench"
rm -f journal-*.txt
cibles() {
    echo "== Targets, this run ($(uptime | sed 's/.*load/load/'))"
    for j in journal-bench_partie.txt journal-bench_cadence.txt journal-bench_demarrage.txt; do
        [ -f "$j" ] && grep '^| ' "$j"
    done
    return 0
}
for b in ./bench_*; do
    [ -x "$b" ] || continue
    echo "== $b"
    journal=journal-$(basename "$b").txt
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$b" > "$journal" || { cat "$journal"; exit 1; }
    cat "$journal"
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
    [ $statut -eq 0 ] || exit $statut
fi
cibles
