#!/usr/bin/env bash
# Configures and builds the builds: native (with the Linux plug-in), native
# with AddressSanitizer and UBSan, native with ThreadSanitizer, win32 and
# win64 (cross). BUILD_ROOT chooses where (default: build/ in the checkout);
# give build names as arguments to build only those, and TARGETS="a b" to
# build only those targets in each.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
jobs="${JOBS:-$(nproc)}"
builds=("$@")
[ "${#builds[@]}" -gt 0 ] || builds=(native asan tsan win32 win64)
read -r -a targets <<< "${TARGETS:-}"

configure_and_build() {
    local name="$1"; shift
    local dir="$build_root/$name"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    fi
    if [ "${#targets[@]}" -gt 0 ]; then
        cmake --build "$dir" -j "$jobs" --target "${targets[@]}"
    else
        cmake --build "$dir" -j "$jobs"
    fi
}

for build in "${builds[@]}"; do
    case "$build" in
        native) configure_and_build native ;;
        asan) configure_and_build asan -DZAV_SANITIZE=ON -DZAV_BENCHMARKS=OFF ;;
        tsan) configure_and_build tsan -DZAV_SANITIZE_THREAD=ON -DZAV_BENCHMARKS=OFF ;;
        win32) configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw32.cmake" \
                   -DZAV_BENCHMARKS=OFF -DZAV_NATIVE_BUILD_DIR="$build_root/native" ;;
        win64) configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw64.cmake" \
                   -DZAV_BENCHMARKS=OFF -DZAV_PLUGIN_TESTS_ONLY=ON -DZAV_NATIVE_BUILD_DIR="$build_root/native" ;;
        *) echo "unknown build: $build" >&2; exit 2 ;;
    esac
done
