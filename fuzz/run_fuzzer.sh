#!/usr/bin/env bash
# Builds one fuzz target with AddressSanitizer and UndefinedBehaviorSanitizer and runs it
# for a short time on inputs of at most a few KB, guided by a dictionary of its input's
# tokens, then prints its executions per second and coverage. Exits 77 (test skipped)
# when the compiler cannot build a fuzzer on this machine.
#   run_fuzzer.sh CLANGXX RESPONSE_FILE FUZZER WORK_DIR SEED_DIR DICTIONARY SECONDS
set -euo pipefail
clangxx=$1 response=$2 fuzzer=$3 work=$4 seeds=$5 dictionary=$6 seconds=$7
mkdir -p "$work/found"

# Rebuilt when a source it is compiled from, or a header beside the sources or in a
# project include folder it names, is newer than the fuzzer.
rebuild=0
if [ ! -x "$fuzzer" ]; then
  rebuild=1
else
  folders=$( (grep '\.cpp$' "$response" | xargs -n1 dirname; sed -n 's/^-I//p' "$response") | sort -u)
  for folder in $folders; do
    case $folder in /usr/*) continue ;; esac
    if [ -n "$(find "$folder" -maxdepth 1 \( -name '*.cpp' -o -name '*.h' \) -newer "$fuzzer" -print -quit)" ]; then
      rebuild=1
    fi
  done
fi
if [ "$rebuild" = 1 ]; then
  if ! "$clangxx" @"$response" -o "$fuzzer" 2>"$work/build.log"; then
    cat "$work/build.log" >&2
    if grep -q 'clang_rt\|fsanitize' "$work/build.log"; then
      echo "fuzzer runtime not available: skipped" >&2
      exit 77
    fi
    exit 1
  fi
fi

# New inputs go to the work folder; the committed seeds are only read. A finding
# exits 1: libFuzzer's own 77 would read as a skipped test.
status=0
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -timeout=10 -error_exitcode=1 -timeout_exitcode=1 -print_final_stats=1 \
  -dict="$dictionary" -artifact_prefix="$work/" "$work/found" "$seeds" 2>"$work/run.log" || status=$?
tail -n 40 "$work/run.log" >&2
executions=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/run.log" | tail -n 1)
coverage=$(grep -o 'cov: [0-9]*' "$work/run.log" | tail -n 1 | cut -d' ' -f2)
features=$(grep -o 'ft: [0-9]*' "$work/run.log" | tail -n 1 | cut -d' ' -f2)
echo "$(basename "$fuzzer"): ${executions:-?} executions/s, coverage ${coverage:-?} edges, ${features:-?} features after ${seconds} s"
exit "$status"
