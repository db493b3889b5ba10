#!/usr/bin/env bash
# Installs what is missing, builds, and then runs the tests or the game.
#   tools/dev.sh test   every test, in a normal and in a sanitizer build
#   tools/dev.sh play   the game (needs a desktop: a running X or Wayland session)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core fonts-liberation2
          libgtest-dev libbenchmark-dev)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

configure() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
}

build() {
    configure "$@"
    cmake --build "$1"
}

jobs=$(nproc 2>/dev/null || echo 2)

case "${1:-}" in
test)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure -j "$jobs"
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DJADELEAF_SANITIZE=ON -DJADELEAF_BENCHMARKS=OFF
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
    ;;
play)
    install_missing
    # Only the game and its resource file: the tests and tools wait for `test`.
    configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --target jadeleaf jl_res10
    exec build/jadeleaf
    ;;
*)
    echo "usage: tools/dev.sh test | play" >&2
    exit 2
    ;;
esac
