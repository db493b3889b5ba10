#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang in build-fuzz/ and runs one of them.
#   tools/fuzz.sh NAME SECONDS [libFuzzer options...]
#   NAME: resource_file | side_picture | settings_file | cli_arguments
# New interesting inputs go to build-fuzz/corpus/NAME (the committed seeds in fuzz/corpus/NAME are
# only read); a crash is written to build-fuzz/ as crash-*: copy it into fuzz/regressions/NAME/,
# where CTest replays it in every build.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

names=(resource_file side_picture settings_file cli_arguments)
if [ $# -lt 2 ] || [[ ! " ${names[*]} " =~ " $1 " ]] || ! [[ $2 =~ ^[0-9]+$ ]]; then
    echo "usage: tools/fuzz.sh NAME SECONDS [libFuzzer options...]   (NAME: ${names[*]})" >&2
    exit 2
fi
name=$1
seconds=$2
shift 2

# libFuzzer's runtime comes with clang; Debian ships it in libclang-rt-14-dev.
packages=(clang-14 libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DJADELEAF_FUZZ=ON -DJADELEAF_SANITIZE=ON -DJADELEAF_BENCHMARKS=OFF -DBUILD_TESTING=OFF
cmake --build build-fuzz --target "fuzz_$name"

mkdir -p "build-fuzz/corpus/$name"
cd build-fuzz
export QT_QPA_PLATFORM=offscreen
exec "./fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2560 \
    "$@" "corpus/$name" "$here/fuzz/corpus/$name" "$here/fuzz/regressions/$name"
