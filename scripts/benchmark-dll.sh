#!/usr/bin/env bash
# Times the three plug-in builds rendering a dense MIDI file (32 voices struck
# again every second for SECONDS seconds) through vsthost built for the same
# system: the 32-bit and the 64-bit DLL under 64-bit Wine, the Linux .so
# natively. Two programs: the Vibraphone, whose modes ring on at full strength
# from strike to strike, and the Woodblock, whose modes die away within half
# a second into the small cycles their flushed states ring in. Each build
# renders with each instruction set forced by ZAV_ENGINE (scalar, sse2, and
# avx2 and avx512 where the processor has them), three times each in turn.
# Prints the medians of the processor time (user + system: the machine may be
# shared) as real-time factors, with their ratios to the same build's scalar
# engine. Every render of a program must give the same WAV file byte for byte.
# Usage: scripts/benchmark-dll.sh [SECONDS]   (default 60; BUILD_ROOT as build.sh)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
seconds="${1:-60}"
for needed in "$build_root/native/zavtolvek.so" "$build_root/native/tools/vsthost/vsthost" \
    "$build_root/win32/ZAVTOLVEK.dll" "$build_root/win32/tools/vsthost/vsthost.exe" \
    "$build_root/win64/ZAVTOLVEK.dll" "$build_root/win64/tools/vsthost/vsthost.exe"; do
    [ -f "$needed" ] || { echo "missing $needed: run scripts/build.sh native win32 win64" >&2; exit 1; }
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

# The 64-bit prefix runs the 32-bit programs too.
wine_build_dir="$build_root/win64"
wine_arch=win64
# shellcheck source=scripts/wine-session.sh
source "$top/scripts/wine-session.sh"

# render <build> <engine> <output> <program>: prints the processor seconds it took.
render() {
    local build="$1" engine="$2" output="$3" TIMEFORMAT="%U %S"
    local arguments=("$work/dense.mid" -o "$output" --program "$4" --tail 0 --float)
    { time {
        if [ "$build" = linux ]; then
            ZAV_ENGINE="$engine" "$build_root/native/tools/vsthost/vsthost" render "$build_root/native/zavtolvek.so" \
                "${arguments[@]}" >/dev/null 2>&1 </dev/null
        else
            ZAV_ENGINE="$engine" "${loader[$build]}" "$build_root/$build/tools/vsthost/vsthost.exe" render \
                "Z:$build_root/$build/ZAVTOLVEK.dll" "Z:${arguments[0]}" -o "Z:$output" "${arguments[@]:3}" \
                >/dev/null 2>&1 </dev/null
        fi
    } ; } 2>&1 | awk '{ print $1 + $2 }'
}

# The wine command starts a 64-bit program as a process of its own, whose
# time it does not wait for: the 64-bit loader runs it as this process.
declare -A loader=([win32]=wine [win64]=wine)
[ -x /usr/lib/wine/wine64 ] && loader[win64]=/usr/lib/wine/wine64

median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }

engines=(scalar sse2)
grep -qw avx2 /proc/cpuinfo && engines+=(avx2)
grep -qw avx512f /proc/cpuinfo && engines+=(avx512)
builds=(win32 win64 linux)
render win32 scalar "$work/warm.wav" Vibraphone >/dev/null
render win64 scalar "$work/warm.wav" Vibraphone >/dev/null

# time_program <program>: renders and compares, then prints the table.
time_program() {
    local program="$1" build engine scalar m
    declare -A times
    for _ in 1 2 3; do
        for build in "${builds[@]}"; do
            for engine in "${engines[@]}"; do
                times[$build-$engine]+="$(render "$build" "$engine" "$work/$build-$engine.wav" "$program") "
            done
        done
    done
    for build in "${builds[@]}"; do
        for engine in "${engines[@]}"; do
            cmp -s "$work/win32-scalar.wav" "$work/$build-$engine.wav" \
                || { echo "the $program $build $engine render differs from the 32-bit scalar one" >&2; exit 1; }
        done
    done
    echo "$program, dense render of ${seconds} s, 32 voices; real-time factor from the median processor time of 3:"
    for build in "${builds[@]}"; do
        # shellcheck disable=SC2086
        scalar="$(median ${times[$build-scalar]})"
        for engine in "${engines[@]}"; do
            # shellcheck disable=SC2086
            m="$(median ${times[$build-$engine]})"
            printf '  %-6s %-7s %7.1fx real time  (%s s; runs: %s), %5.2fx its scalar engine\n' "$build" "$engine" \
                "$(echo "$seconds / $m" | bc -l)" "$m" "${times[$build-$engine]% }" "$(echo "$scalar / $m" | bc -l)"
        done
    done
}

time_program Vibraphone
time_program Woodblock
rm -rf "$work"
