#!/usr/bin/env bash
# Times the 32-bit DLL under Wine rendering a dense MIDI file (32 voices kept
# ringing for SECONDS seconds) through vsthost with each voice engine forced
# by ZAV_ENGINE (scalar, sse2, avx2 where the processor has it), three times
# each in turn, and prints the medians and their ratios to the scalar one.
# Every render must give the same WAV file byte for byte.
# Usage: scripts/benchmark-dll.sh [SECONDS]   (default 60; BUILD_ROOT as build.sh)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
seconds="${1:-60}"
win32_dir="$build_root/win32"
dll="$win32_dir/ZAVTOLVEK.dll"
host="$win32_dir/tools/vsthost/vsthost.exe"
for needed in "$dll" "$host"; do
    [ -f "$needed" ] || { echo "missing $needed: run scripts/build.sh win32" >&2; exit 1; }
done
work="$(mktemp -d)"

# 120 beats a minute at 480 ticks a beat: 960 ticks a second. The 32 notes
# are struck together every second, so no voice reaches its two-second end.
python3 - "$work/dense.mid" "$seconds" <<'PY'
import struct, sys
path, seconds = sys.argv[1], int(sys.argv[2])
def delta(ticks):
    out = [ticks & 0x7F]
    ticks >>= 7
    while ticks:
        out.insert(0, 0x80 | (ticks & 0x7F))
        ticks >>= 7
    return bytes(out)
events = b""
for second in range(seconds):
    for k, note in enumerate(range(40, 72)):
        events += delta(960 if second > 0 and k == 0 else 0) + bytes([0x90, note, 100])
events += delta(960) + b"\xff\x2f\x00"
track = b"MTrk" + struct.pack(">I", len(events)) + events
open(path, "wb").write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 480) + track)
PY

# shellcheck source=scripts/wine-session.sh
source "$top/scripts/wine-session.sh"

render() {
    local engine="$1" output="$2" start end
    start=$(date +%s.%N)
    ZAV_ENGINE="$engine" "$win32_dir/wine-run.sh" "$host" render "Z:$dll" "Z:$work/dense.mid" \
        -o "Z:$output" --program Vibraphone --tail 0 --float >/dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}

median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }

engines=(scalar sse2)
grep -qw avx2 /proc/cpuinfo && engines+=(avx2)
declare -A times
render scalar "$work/warm.wav" >/dev/null
for _ in 1 2 3; do
    for engine in "${engines[@]}"; do
        times[$engine]+="$(render "$engine" "$work/$engine.wav") "
    done
done
for engine in "${engines[@]}"; do
    cmp -s "$work/scalar.wav" "$work/$engine.wav" || { echo "the $engine render differs from the scalar one" >&2; exit 1; }
done
# shellcheck disable=SC2086
scalar="$(median ${times[scalar]})"
echo "dense render of ${seconds} s, 32 voices, median of 3 (all runs in brackets):"
for engine in "${engines[@]}"; do
    # shellcheck disable=SC2086
    m="$(median ${times[$engine]})"
    echo "  $engine: $m s (${times[$engine]% }), $(echo "scale=2; $scalar / $m" | bc)x the scalar engine"
done
rm -rf "$work"
