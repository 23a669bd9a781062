#!/usr/bin/env bash
# Times the 32-bit DLL under Wine rendering a dense MIDI file (32 voices kept
# ringing for SECONDS seconds) through vsthost, once with the scalar voice
# engine forced (ZAV_ENGINE=scalar) and once with the engine the DLL picks,
# three times each, and prints the medians and their ratio. Both renders
# must give the same WAV file byte for byte.
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

render best "$work/warm.wav" >/dev/null
scalar=() vector=()
for _ in 1 2 3; do
    scalar+=("$(render scalar "$work/scalar.wav")")
    vector+=("$(render best "$work/vector.wav")")
done
cmp -s "$work/scalar.wav" "$work/vector.wav" || { echo "the two renders differ" >&2; exit 1; }
s="$(median "${scalar[@]}")"
v="$(median "${vector[@]}")"
echo "dense render of ${seconds} s, 32 voices: scalar ${s} s, vector ${v} s (runs: ${scalar[*]} / ${vector[*]})"
echo "ratio: $(echo "scale=2; $s / $v" | bc)"
rm -rf "$work"
