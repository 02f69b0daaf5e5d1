#!/usr/bin/env bash
# Builds a fuzzer (named after its response file) with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it for a short time. Exits 77 (test skipped) when the compiler cannot build a
# fuzzer on this machine.
#   run_fuzzer.sh CLANGXX RESPONSE_FILE WORK_DIR SEED_DIR SECONDS
set -euo pipefail
clangxx=$1 response=$2 work=$3 seeds=$4 seconds=$5
fuzzer=$work/$(basename "$response" .rsp)
mkdir -p "$work/found"

rebuild=0
[ -x "$fuzzer" ] || rebuild=1
for source in $(grep '\.cpp$' "$response"); do
  for file in "$source" "${source%.cpp}.h"; do
    [ -f "$file" ] && [ "$file" -nt "$fuzzer" ] && rebuild=1
  done
done
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

# New inputs go to the work folder; the committed seeds are only read.
exec "$fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
  -artifact_prefix="$work/" "$work/found" "$seeds"
