#!/bin/sh
# The tests' share of the project: non-blank lines of the tracked .c, .cpp and
# .h files under tests/, against those of everything else but bench/. The
# tests are to stay at most a third of the two together.
#   sh scripts/part-tests.sh
set -eu
cd "$(dirname "$0")/.."
compter() { xargs -r cat | grep -c -v '^[[:space:]]*$' || true; }
sources() { git ls-files -- '*.c' '*.cpp' '*.h'; }
tests=$(sources | grep '^tests/' | compter)
code=$(sources | grep -v -e '^tests/' -e '^bench/' | compter)
echo "tests: $tests non-blank lines"
echo "code:  $code non-blank lines (everything but tests/ and bench/)"
awk -v t="$tests" -v c="$code" 'BEGIN { printf "share: %.1f %% of %d (at most 33 %%)\n", 100 * t / (t + c), t + c }'
