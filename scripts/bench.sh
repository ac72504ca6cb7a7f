#!/bin/sh
# Runs every benchmark of a build folder (the drawing ones under Xvfb).
set -e
BUILD=${1:-build}
cd "$BUILD/bench"
for b in ./bench_*; do
    [ -x "$b" ] || continue
    echo "== $b"
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$b"
done
