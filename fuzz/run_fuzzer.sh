#!/usr/bin/env bash
# Runs one fuzz target for a short time on inputs of at most a few KB, guided by a
# dictionary of its input's tokens, then prints its executions per second and coverage.
#   run_fuzzer.sh FUZZER WORK_DIR SEED_DIR DICTIONARY SECONDS
# New inputs go to WORK_DIR/found, findings to WORK_DIR; the committed seeds are only read.
set -euo pipefail
fuzzer=$1 work=$2 seeds=$3 dictionary=$4 seconds=$5
mkdir -p "$work/found"

# A finding exits 1: libFuzzer's own 77 would read as a skipped test.
status=0
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -timeout=10 -error_exitcode=1 -timeout_exitcode=1 -print_final_stats=1 \
  -dict="$dictionary" -artifact_prefix="$work/" "$work/found" "$seeds" 2>"$work/run.log" || status=$?
tail -n 40 "$work/run.log" >&2
executions=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/run.log" | tail -n 1)
coverage=$(grep -o 'cov: [0-9]*' "$work/run.log" | tail -n 1 | cut -d' ' -f2)
features=$(grep -o 'ft: [0-9]*' "$work/run.log" | tail -n 1 | cut -d' ' -f2)
echo "$(basename "$fuzzer"): ${executions:-?} executions/s, coverage ${coverage:-?} edges, ${features:-?} features after ${seconds} s"
exit "$status"
