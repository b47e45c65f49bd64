#!/usr/bin/env bash
# Builds the release preset and runs the benchmarks on a virtual X server; prints the figures
# beside their goals. Nothing here passes or fails: the figures are for people to read.
#   tools/bench/run-benchmarks.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-20}
cmake --preset release >/dev/null
cmake --build --preset release --target SweltraC bare-window text-window bench-interactions sweltra-firstpaint >/dev/null
bin=build/release/bin
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

tools/with-x.sh -- sh -c "
    python3 tools/bench/bench-startup.py $bin/SweltraC $bin/bare-window $runs > $out/startup
    $bin/bench-interactions $runs > $out/interactions 2>/dev/null
    SWELTRA_BENCH_FIRST_PAINT=1 LD_PRELOAD=$bin/libsweltra-firstpaint.so timeout -s TERM 5 $bin/bare-window > $out/bare 2>/dev/null || true
"
grep -v '^[a-z-]* [0-9.]*$' "$out/startup"
echo
grep -v '^[a-z-]* [0-9.]*$' "$out/interactions"
echo

figure() { awk -v key="$1" '$1 == key { print $2 }' "$2"; }
bare_ms=$(figure bare-start-ms "$out/startup")
bare_kb=$(awk '$1 == "first-paint" { print $3 }' "$out/bare")
peak_kb=$(figure peak-kb "$out/interactions")
echo "Goals (interactions within 2 x the bare program's ${bare_ms} ms launch to first paint):"
for step in accept calculate asterisk guidelines; do
    ms=$(figure "$step-ms" "$out/interactions")
    awk -v s="$step" -v ms="$ms" -v bare="$bare_ms" \
        'BEGIN { printf "  %-12s %8.1f ms   %.2f x the bare program (goal at most 2)\n", s, ms, ms / bare }'
done
empty_ms=$(awk '/empty window of the start-up size shown/ { print $(NF-1) }' "$out/interactions")
echo "  (the same steps against an empty window shown in-process, ${empty_ms} ms:"
for step in accept calculate asterisk guidelines; do
    awk -v s="$step" -v ms="$(figure "$step-ms" "$out/interactions")" -v e="$empty_ms" \
        'BEGIN { printf "   %s %.1f x", s, ms / e }'
done
echo ")"
awk -v peak="$peak_kb" -v bare="$bare_kb" 'BEGIN {
    printf "  memory: every window open, full guidelines shown: peak %.1f MB, bare program %.1f MB,", peak / 1024, bare / 1024
    printf " difference %.1f MB (goal at most 10)\n", (peak - bare) / 1024 }'
