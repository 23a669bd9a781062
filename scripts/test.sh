#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite:
# native, native under ASan+UBSan, native under ThreadSanitizer, and win32
# under Wine in Xvfb.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"

status=0
echo "== native tests"
ctest --test-dir "$build_root/native" --output-on-failure -j 2 || status=1
echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$build_root/asan" --output-on-failure -j 2 || status=1
echo "== native tests under ThreadSanitizer"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir "$build_root/tsan" --output-on-failure -j 2 || status=1
echo "== win32 tests under Wine"
win32_dir="$build_root/win32"
# shellcheck source=scripts/wine-session.sh
source "$top/scripts/wine-session.sh"
ctest --test-dir "$win32_dir" --output-on-failure || status=1
exit $status
