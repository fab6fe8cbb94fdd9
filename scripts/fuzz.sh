#!/bin/sh
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer,
# libFuzzer) in build-fuzz/ and runs each for the given number of seconds.
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (default: 60 seconds, every target)
# Each target starts from the committed seeds in fuzz/corpus/<name>/ and keeps what
# it learns in build-fuzz/corpus/<name>/. A finding is written to build-fuzz/ as
# crash-* or leak-* and makes the script fail. Set FUZZ_NICE=19 to run at low
# priority beside other work.
set -e
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
[ $# -gt 0 ] && shift
TARGETS=${*:-"command_file settings reception language"}
TREE=build-fuzz

if [ ! -f "$TREE/CMakeCache.txt" ]; then
    cmake -S . -B "$TREE" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ \
        -DQUENDA_BUILD_FUZZ=ON -DQUENDA_BUILD_TESTS=OFF -DQUENDA_BUILD_BENCH=OFF >/dev/null
fi
for name in $TARGETS; do
    cmake --build "$TREE" -j2 --target "${name}_fuzz"
done

status=0
for name in $TARGETS; do
    mkdir -p "$TREE/corpus/$name"
    echo "== ${name}_fuzz for ${SECONDS_EACH} s"
    if ! nice -n "${FUZZ_NICE:-0}" "$TREE/fuzz/${name}_fuzz" \
        -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="$TREE/${name}-" \
        "$TREE/corpus/$name" "fuzz/corpus/$name" 2>"$TREE/${name}.log"; then
        status=1
        tail -n 40 "$TREE/${name}.log"
    fi
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|ERROR|broken' "$TREE/${name}.log" || true
done
exit $status
