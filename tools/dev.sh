#!/usr/bin/env bash
# Installs what is missing, builds, and then runs the tests or the game.
#   tools/dev.sh test   every test, in a normal and in a sanitizer build
#   tools/dev.sh play   the game (needs a desktop: a running X or Wayland session)
#   tools/dev.sh package  the Debian package jadeleaf_<version>_<arch>.deb, checked as Debian would
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core fonts-liberation2
          libgtest-dev libbenchmark-dev zlib1g-dev)
# Only the package command needs these: the dependency finder and the checkers a distribution runs.
package_tools=(dpkg-dev file lintian desktop-file-utils appstream groff-base)

install_missing() {
    local missing=()
    for package in "$@"; do
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
    install_missing "${packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure -j "$jobs"
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DJADELEAF_SANITIZE=ON -DJADELEAF_BENCHMARKS=OFF
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
    ;;
play)
    install_missing "${packages[@]}"
    # Only the game and its resource file: the tests and tools wait for `test`.
    configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --target jadeleaf jl_res10
    exec build/jadeleaf
    ;;
package)
    install_missing "${packages[@]}" "${package_tools[@]}"
    # A build of its own in Debian's layout, without the tests and benchmarks.
    rm -f build-package/jadeleaf_*.deb
    # Debian's hardening flags (stack protector, fortified functions, read-only relocations bound now).
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    build build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJADELEAF_GAMES_LAYOUT=ON -DBUILD_TESTING=OFF \
        -DJADELEAF_BENCHMARKS=OFF \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
    (cd build-package && cpack)
    deb=$(echo build-package/jadeleaf_*.deb)
    tools/check-package.sh "$deb"
    echo "Made $deb"
    ;;
*)
    echo "usage: tools/dev.sh test | play | package" >&2
    exit 2
    ;;
esac
