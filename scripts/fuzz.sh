#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the readers of every text file the programs read (levels, ghosts,
# the progress file, the records, the settings, the names of the listed
# files, the runs and the maps the score server receives, the catalogues it
# reads at start) and of the score server's answers (to a run, its world records):
# builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer
# and UBSan into build-fuzz/,
# then runs each for SECONDS seconds (default 60) from its seed corpus.
# Fails at the first crash, leak, hang (10 s), memory blow-up (2 GB) or
# broken property; the input that caused it is left in build-fuzz/artefacts/.
#   sh scripts/fuzz.sh [SECONDS]
set -eu
cd "$(dirname "$0")/.."
SECONDES=${1:-60}
BUILD=${BUILD_FUZZ:-build-fuzz}
CIBLES="niveau fantome progression noms records reglages entrees course reponses carte mo"

# clang with libFuzzer (Debian: clang, libclang-rt-14-dev).
if ! command -v clang++ >/dev/null 2>&1 ||
   [ ! -e "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]; then
    echo "Installing clang and libFuzzer"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
      -DCMAKE_CXX_COMPILER=clang++ -DVORNA_FUZZ=ON -DVORNA_TESTS=OFF -DVORNA_BENCH=OFF >/dev/null
cibles=""
for c in $CIBLES; do cibles="$cibles --target fuzz_$c"; done
cmake --build "$BUILD" -j2 $cibles

mkdir -p "$BUILD/artefacts"
for c in $CIBLES; do
    graines=fuzz/graines/$c
    [ "$c" = niveau ] && graines=maps  # the shipped levels
    mkdir -p "$BUILD/corpus/$c"
    echo "== fuzz_$c, $SECONDES s"
    # -close_fd_mask=2: the readers' own lines on standard error would flood
    # the log; the fuzzer's and the sanitizers' reports still show.
    # -max_len: small inputs run fast; a longer seed (a shipped level) is
    # taken by its first 4 KB.
    "$BUILD/fuzz/fuzz_$c" -max_total_time="$SECONDES" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$BUILD/artefacts/$c-" \
        "$BUILD/corpus/$c" "$graines"
done
echo "fuzzing: no crash in $SECONDES s per target"
