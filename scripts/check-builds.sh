#!/usr/bin/env bash
# Run by test.sh inside a 64-bit Wine session. Renders one song through the
# three plug-in builds (32-bit DLL, 64-bit DLL, Linux shared object), each
# driven by vsthost built for the same system, the DLLs also with each
# instruction set forced, and requires the very same float WAV files; passes
# one bank of settings from build to build as a preset file and requires it
# back unchanged; photographs the three editors in the same state and
# requires the very same pictures; then unpacks the
# release archives and requires each plug-in in them to load, export only
# its entry points and need only the libraries it always needed (system
# DLLs on Windows; the C library, X11 and the font libraries on Linux).
# Usage: check-builds.sh BUILD-ROOT DIST-FOLDER
set -euo pipefail
build_root="$1"
dist="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
song="$build_root/native/reference/reference.mid"
settings=(--float --rate 44100 --block 333 --tail 1 --program Bell --param "Vibr On/Off=1" --param "5=0.7")

vsthost_native() { "$build_root/native/tools/vsthost/vsthost" "$@" </dev/null; }
vsthost_win() { local build="$1"; shift; wine "$build_root/$build/tools/vsthost/vsthost.exe" "$@" </dev/null | tr -d '\r'; }

failed=0
# expect_alike <extension> <what>: the DLLs' files equal the Linux one, byte for byte.
expect_alike() {
    for build in win32 win64; do
        if cmp -s "$work/linux.$1" "$work/$build.$1"; then
            echo "  $build DLL = Linux .so: $2 ($(stat -c %s "$work/linux.$1") bytes)"
        else
            echo "  $build DLL and Linux .so differ: not $2" >&2
            failed=1
        fi
    done
}

echo "== the three builds sound the same"
vsthost_native render "$build_root/native/zavtolvek.so" "$song" -o "$work/linux.wav" "${settings[@]}" >/dev/null
vsthost_win win32 render "Z:$build_root/win32/ZAVTOLVEK.dll" "Z:$song" -o "Z:$work/win32.wav" "${settings[@]}" >/dev/null
vsthost_win win64 render "Z:$build_root/win64/ZAVTOLVEK.dll" "Z:$song" -o "Z:$work/win64.wav" "${settings[@]}" >/dev/null
expect_alike wav "the same samples"
# And each DLL again with every wide instruction set this processor has
# forced in turn, against the .so on its own best one.
for engine in sse2 avx2 avx512; do
    [ "$engine" = sse2 ] || grep -qw "${engine/avx512/avx512f}" /proc/cpuinfo || continue
    for build in win32 win64; do
        ZAV_ENGINE=$engine vsthost_win $build render "Z:$build_root/$build/ZAVTOLVEK.dll" "Z:$song" \
            -o "Z:$work/$build.$engine.wav" "${settings[@]}" >/dev/null
    done
    cp "$work/linux.wav" "$work/linux.$engine.wav"
    expect_alike "$engine.wav" "the same samples with $engine forced"
done

echo "== the three builds keep the same settings"
# Saved by the .so, loaded and saved again by the 32-bit DLL, then by the 64-bit one.
choices=(--program Vibraphone --param "Stereo Spread=0.25" --param "4=0.5")
vsthost_native preset "$build_root/native/zavtolvek.so" -o "$work/linux.fxb" "${choices[@]}" >/dev/null
vsthost_win win32 preset "Z:$build_root/win32/ZAVTOLVEK.dll" --preset "Z:$work/linux.fxb" -o "Z:$work/win32.fxb" >/dev/null
vsthost_win win64 preset "Z:$build_root/win64/ZAVTOLVEK.dll" --preset "Z:$work/win32.fxb" -o "Z:$work/win64.fxb" >/dev/null
expect_alike fxb "the same bank, passed on"

echo "== the three builds draw the same editor"
panel=(--program Bell --param "5=0.3" --param "Vibr On/Off=1" --seconds 0.5)
vsthost_native editor "$build_root/native/zavtolvek.so" -o "$work/linux.bmp" "${panel[@]}" >/dev/null
vsthost_win win32 editor "Z:$build_root/win32/ZAVTOLVEK.dll" -o "Z:$work/win32.bmp" "${panel[@]}" >/dev/null
vsthost_win win64 editor "Z:$build_root/win64/ZAVTOLVEK.dll" -o "Z:$work/win64.bmp" "${panel[@]}" >/dev/null
expect_alike bmp "the same editor, pixel for pixel"

echo "== the release archives' plug-ins load"
version="$(vsthost_native --version | sed 's/^vsthost //')"
expect_loads() {
    if printf '%s\n' "$2" | grep -q '^Unique ID: *zTol'; then
        echo "  $1 loads"
    else
        printf '  %s does not load:\n%s\n' "$1" "$2" >&2
        failed=1
    fi
}
# expect_same <what> <found> <expected>
expect_same() {
    if [ "$2" = "$3" ]; then
        echo "  $1: $2"
    else
        echo "  $1: $2 (expected: $3)" >&2
        failed=1
    fi
}
words() { sort -f | tr '\n' ' ' | sed 's/ $//'; }
for arch in x86 x64; do
    archive="$dist/zavTolvek-$version-windows-$arch.zip"
    unzip -q -o "$archive" -d "$work"
    dll="$work/zavTolvek-$version-windows-$arch/ZAVTOLVEK.dll"
    if [ $arch = x86 ]; then build=win32 tools=i686-w64-mingw32 entries="main"
    else build=win64 tools=x86_64-w64-mingw32 entries="main VSTPluginMain"; fi
    expect_loads "${archive##*/}" "$(vsthost_win $build info "Z:$dll" 2>&1 || true)"
    table="$("$tools-objdump" -p "$dll")"
    expect_same "  exports" "$(printf '%s\n' "$table" | sed -n '/Ordinal\/Name Pointer/,/^$/s/^\s*\[ *[0-9]*\] //p' | words)" "$entries"
    expect_same "  imports" "$(printf '%s\n' "$table" | sed -n 's/^\s*DLL Name: //p' | tr '[:lower:]' '[:upper:]' | words)" \
        "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL"
done
archive="$dist/zavTolvek-$version-linux-x86_64.tar.gz"
tar -C "$work" -xzf "$archive"
so="$work/zavTolvek-$version-linux-x86_64/zavtolvek.so"
expect_loads "${archive##*/}" "$(vsthost_native info "$so" 2>&1 || true)"
expect_same "  exports" "$(nm -D --defined-only "$so" | awk '{print $3}' | words)" "main VSTPluginMain"
expect_same "  needs" "$(objdump -p "$so" | sed -n 's/^ *NEEDED *//p' | words)" \
    "ld-linux-x86-64.so.2 libc.so.6 libfontconfig.so.1 libm.so.6 libX11.so.6 libXft.so.2 libXrender.so.1"
exit $failed
