#!/usr/bin/env bash
# Configures and builds the four builds: native, native with AddressSanitizer
# and UBSan, native with ThreadSanitizer, and win32 (cross). BUILD_ROOT chooses where (default: build/ in the checkout);
# give build names as arguments to build only those.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
jobs="${JOBS:-$(nproc)}"
builds=("$@")
[ "${#builds[@]}" -gt 0 ] || builds=(native asan tsan win32)

configure_and_build() {
    local name="$1"; shift
    local dir="$build_root/$name"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs"
}

for build in "${builds[@]}"; do
    case "$build" in
        native) configure_and_build native ;;
        asan) configure_and_build asan -DZAV_SANITIZE=ON -DZAV_BENCHMARKS=OFF ;;
        tsan) configure_and_build tsan -DZAV_SANITIZE_THREAD=ON -DZAV_BENCHMARKS=OFF ;;
        win32) configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw32.cmake" \
                   -DZAV_BENCHMARKS=OFF -DZAV_NATIVE_BUILD_DIR="$build_root/native" ;;
        *) echo "unknown build: $build" >&2; exit 2 ;;
    esac
done
