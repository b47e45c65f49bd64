#!/usr/bin/env bash
# Builds the fuzz preset and runs the RTF reader's fuzz target.
# Usage: fuzz/run.sh [SECONDS]   (default 120)
# Prints the executions and findings; exits non-zero when the fuzzer found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_rtfreader -j2

out="build/fuzz/fuzz-run"
rm -rf "$out"
mkdir -p "$out/corpus" "$out/artifacts"
log="$out/fuzz.log"

set +e
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=tests/lsan.supp \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  build/fuzz/bin/fuzz_rtfreader "$out/corpus" fuzz/seeds \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -artifact_prefix="$out/artifacts/" -print_final_stats=1 >"$log" 2>&1
status=$?
set -e

executions=$(awk '/stat::number_of_executed_units/ {print $2}' "$log" | tail -n 1)
findings=$(find "$out/artifacts" -type f | wc -l)
echo "executions: ${executions:-unknown}"
echo "findings: $findings"
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
  grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -n 20 || true
  echo "fuzzer exit status $status; log: $log"
  exit 1
fi
