#!/usr/bin/env bash
# Developer entry point for corvale and the Melodex library.
#   ./dev.sh run       install what is missing, build, start corvale in samples/
#   ./dev.sh test      install what is missing, build, run every test through ctest
#   ./dev.sh package   install what is missing, build, make the Debian package
# Re-running installs only missing packages and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
build=${CORVALE_BUILD_DIR:-$root/build}

# Debian 12 packages the build, the tests and the built-in synthesiser need.
packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev pkg-config dpkg-dev file
  qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev
  libfluidsynth-dev timgm6mb-soundfont librtmidi-dev libasound2-dev
  fonts-dejavu-core xvfb xdotool imagemagick pulseaudio pulseaudio-utils appstream
  desktop-file-utils librsvg2-bin man-db abcmidi xdg-utils shared-mime-info libglib2.0-bin
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
    ;;
  package)
    install_missing
    build_all
    (cd "$build" && cpack -G DEB)
    ;;
  *)
    echo "usage: $0 run | test | package" >&2
    exit 2
    ;;
esac
