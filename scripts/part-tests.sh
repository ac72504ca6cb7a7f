#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The tests' share of the project: non-blank lines of the files git tracks
# under tests/, against those of the program's own code (noyau/: the rules
# of a run, common/, game/,
# platform/, editor/, server/: the leaderboard server, and tools/: the asset
# and level generators). The fuzz
# targets and the benchmarks are neither. The tests are to stay at most a
# third of the two together.
#   sh scripts/part-tests.sh
set -eu
cd "$(dirname "$0")/.."
# Outside a git checkout (a source tarball) there is nothing to count.
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "not a git checkout"; exit 77; }
compter() { git ls-files -z -- "$@" | xargs -0 -r cat | grep -c -v '^[[:space:]]*$' || true; }
tests=$(compter tests)
code=$(compter noyau common game platform editor server tools)
echo "tests: $tests non-blank lines (tests/)"
echo "code:  $code non-blank lines (noyau/ common/ game/ platform/ editor/ server/ tools/)"
awk -v t="$tests" -v c="$code" 'BEGIN {
    printf "share: %.1f %% of %d (at most a third, 33.3 %%)\n", 100 * t / (t + c), t + c
    exit (3 * t > t + c) }'
