#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite:
# native (the Linux plug-in included), native under ASan+UBSan and under
# ThreadSanitizer, win32 under Wine in Xvfb, and the 64-bit DLL under 64-bit
# Wine; then checks that the three plug-in builds render the same song to the
# same samples, and that the release archives hold plug-ins that load.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"

status=0
# The lane engine's identity tests must run every wide instruction set the
# processor has, in every build.
ZAV_EXPECT_SETS="$(grep -m1 '^flags' /proc/cpuinfo | grep -ow -e avx2 -e avx512f | sed 's/avx512f/avx512/' | tr '\n' ' ')"
export ZAV_EXPECT_SETS
# The native suites open the Linux editor in a display of their own. The
# X11 tests drive one pointer, so they run one at a time (-j 1 for label x11).
(
    # shellcheck source=scripts/x-session.sh
    source "$top/scripts/x-session.sh"
    failed=0
    native_suites() {
        ctest --test-dir "$1" --output-on-failure -j 2 -LE x11 || failed=1
        ctest --test-dir "$1" --output-on-failure -L x11 || failed=1
    }
    echo "== native tests"
    native_suites "$build_root/native"
    echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
    export LSAN_OPTIONS="suppressions=$top/tests/lsan-suppressions.txt"
    native_suites "$build_root/asan"
    echo "== native tests under ThreadSanitizer"
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
    native_suites "$build_root/tsan"
    exit $failed
) || status=1
echo "== win32 tests under Wine"
(
    win32_dir="$build_root/win32"
    # shellcheck source=scripts/wine-session.sh
    source "$top/scripts/wine-session.sh"
    ctest --test-dir "$win32_dir" --output-on-failure
) || status=1

echo "== release archives"
"$top/scripts/release.sh" || status=1

# The 64-bit prefix runs the 32-bit programs too, so one session serves the
# 64-bit tests, the three-build comparison and the archives' Windows plug-ins.
(
    wine_build_dir="$build_root/win64"
    wine_arch=win64
    # shellcheck source=scripts/wine-session.sh
    source "$top/scripts/wine-session.sh"
    failed=0
    echo "== win64 tests under 64-bit Wine"
    ctest --test-dir "$build_root/win64" --output-on-failure || failed=1
    "$top/scripts/check-builds.sh" "$build_root" "$top/dist" || failed=1
    exit $failed
) || status=1
exit $status
