#!/usr/bin/env bash
# Developer entry point for corvale and the Melodex library.
#   ./dev.sh run       install what is missing, build, start corvale in samples/
#   ./dev.sh test      install what is missing, build, run every test through ctest,
#                      then the sanitized tests and the fuzz targets
#   ./dev.sh sanitize  the same with clang under AddressSanitizer and UndefinedBehavior-
#                      Sanitizer, in build-sanitize/, with the fuzz targets (the package
#                      test and the tests on a wall clock left out)
#   ./dev.sh package   install what is missing, build, make the Debian package
# Re-running installs only missing packages and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
build=${CORVALE_BUILD_DIR:-$root/build}
sanitize_build=${CORVALE_SANITIZE_BUILD_DIR:-$root/build-sanitize}

# Debian 12 packages the build, the tests and the built-in synthesiser need.
packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev pkg-config dpkg-dev file
  qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev
  libfluidsynth-dev libsndfile1-dev timgm6mb-soundfont librtmidi-dev libasound2-dev
  fonts-dejavu-core xvfb xdotool imagemagick pulseaudio pulseaudio-utils appstream
  desktop-file-utils librsvg2-bin man-db abcmidi xdg-utils shared-mime-info libglib2.0-bin
  libsqlite3-dev
)

install_missing() {
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_all() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$build" -j "$(nproc)"
}

sanitize_all() {
  local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  if ! grep -qs '^CORVALE_FUZZ:BOOL=ON' "$sanitize_build/CMakeCache.txt"; then
    # -O1 with line tables only: quick to build, fast enough to run, and every report
    # still names file and line. The fuzz targets build here, from the same objects.
    cmake -S "$root" -B "$sanitize_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVALE_FUZZ=ON \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
      -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS="$flags" \
      -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
  fi
  # Any report fails the program, at build time too (listing the tests runs them).
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  cmake --build "$sanitize_build" -j "$(nproc)"
  # Left out: the package test (it installs the release build); the two tests
  # that drive the real program under Xvfb on a wall clock, which the sanitizers
  # slow past their timings (the in-process tests cover the same code); and the
  # large-tune tests, which weigh a process's peak memory and cap its address
  # space, both of which the sanitizers' shadow memory makes meaningless.
  ctest --test-dir "$sanitize_build" --output-on-failure -j "$(nproc)" \
    -E '^(package_install_and_remove|play_e2e_audio|ui_ending_signals|LargeTune\..*)$'
}

case "${1:-}" in
  run)
    install_missing
    build_all
    cd "$root/samples"
    exec "$build/player/corvale"
    ;;
  test)
    install_missing
    build_all
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    sanitize_all
    ;;
  sanitize)
    install_missing
    sanitize_all
    ;;
  package)
    install_missing
    build_all
    (cd "$build" && cpack -G DEB)
    ;;
  *)
    echo "usage: $0 run | test | sanitize | package" >&2
    exit 2
    ;;
esac
