#!/usr/bin/env bash
# Builds one fuzz target with AddressSanitizer and UndefinedBehaviorSanitizer and runs it
# for a short time on inputs of at most a few KB, guided by a dictionary of its input's
# tokens, then prints its executions per second and coverage. Exits 77 (test skipped)
# when the compiler cannot build a fuzzer on this machine.
#   run_fuzzer.sh CLANGXX FUZZ_BUILD_DIR FUZZER SEED_DIR DICTIONARY SECONDS
# FUZZ_BUILD_DIR holds compile.rsp (the flags every fuzzer compiles with), FUZZER.sources
# and FUZZER.link; the objects it compiles go to FUZZ_BUILD_DIR/objects, shared by the
# fuzzers, and the fuzzer to FUZZ_BUILD_DIR/FUZZER/FUZZER.
set -euo pipefail
clangxx=$1 dir=$2 name=$3 seeds=$4 dictionary=$5 seconds=$6
work=$dir/$name fuzzer=$dir/$name/$name objects=$dir/objects
mkdir -p "$work/found" "$objects"

# The shared object of a source: named by its path, as two folders may hold a file
# of the same name.
object_of() { echo "$objects/$(printf '%s' "$1" | md5sum | cut -c1-16)_$(basename "$1" .cpp).o"; }

# An object is compiled again when it is missing or older than a file its last
# compile read (the dependency list clang wrote beside it).
compile_one() {
  local source=$1 object deps
  object=$(object_of "$source")
  if [ -f "$object" ] && [ -f "$object.d" ]; then
    deps=$(sed -e 's/^[^:]*://' -e 's/\\$//' "$object.d")
    local stale=0 file
    for file in $deps; do [ "$file" -nt "$object" ] && { stale=1; break; }; done
    [ "$stale" = 0 ] && return 0
  fi
  "$clangxx" @"$dir/compile.rsp" -MMD -MF "$object.d.$$" -c "$source" -o "$object.$$" 2>>"$work/build.log" || return 1
  mv -f "$object.d.$$" "$object.d"
  mv -f "$object.$$" "$object"
}
export -f object_of compile_one
export clangxx dir work objects

: >"$work/build.log"
# One fuzzer compiles at a time: the next waits and finds the shared objects made.
built=0
(
  flock 9
  xargs -a "$dir/$name.sources" -d '\n' -P "$(nproc)" -I{} bash -c 'compile_one "$1"' _ {}
) 9>"$objects/.lock" || built=$?
if [ "$built" = 0 ]; then
  mapfile -t sources <"$dir/$name.sources"
  linked=()
  for source in "${sources[@]}"; do
    linked+=("$(object_of "$source")")
  done
  if [ ! -x "$fuzzer" ] || [ -n "$(find "${linked[@]}" -newer "$fuzzer" -print -quit)" ]; then
    "$clangxx" -fsanitize=fuzzer,address,undefined "${linked[@]}" @"$dir/$name.link" -o "$fuzzer" \
      2>>"$work/build.log" || built=$?
  fi
fi
if [ "$built" != 0 ]; then
  cat "$work/build.log" >&2
  if grep -q 'clang_rt\|fsanitize' "$work/build.log"; then
    echo "fuzzer runtime not available: skipped" >&2
    exit 77
  fi
  exit 1
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
