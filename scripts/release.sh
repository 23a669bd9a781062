#!/usr/bin/env bash
# Builds the three plug-ins and packs them the way plug-ins are shipped:
#   dist/zavTolvek-<version>-windows-x86.zip     ZAVTOLVEK.dll (32-bit)
#   dist/zavTolvek-<version>-windows-x64.zip     ZAVTOLVEK.dll (64-bit)
#   dist/zavTolvek-<version>-linux-x86_64.tar.gz zavtolvek.so
# each with an install text and the licence. The version is the CMake
# project's. Debug information is stripped from the packed copies only.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
dist="$top/dist"

version="$(sed -n 's/^project(zavTolvek VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")"
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }

"$top/scripts/install-deps.sh"
TARGETS=ZAVTOLVEK "$top/scripts/build.sh" win32 win64
TARGETS=zavtolvek "$top/scripts/build.sh" native

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$dist"

# stage <folder name> <plug-in> <strip program> <install text> <architecture words>
stage() {
    local folder="$stage/$1"
    mkdir -p "$folder"
    "$3" --strip-unneeded -o "$folder/$(basename "$2")" "$2"
    sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$5/" "$top/packaging/$4" > "$folder/INSTALL.txt"
    cp "$top/LICENSE" "$folder/LICENSE.txt"
}

name="zavTolvek-$version"
stage "$name-windows-x86" "$build_root/win32/ZAVTOLVEK.dll" i686-w64-mingw32-strip INSTALL-windows.txt "32-bit"
stage "$name-windows-x64" "$build_root/win64/ZAVTOLVEK.dll" x86_64-w64-mingw32-strip INSTALL-windows.txt "64-bit"
stage "$name-linux-x86_64" "$build_root/native/zavtolvek.so" strip INSTALL-linux.txt "x86-64"
# Windows users expect CR LF in text files.
sed -i 's/$/\r/' "$stage/$name"-windows-*/*.txt

for arch in x86 x64; do
    rm -f "$dist/$name-windows-$arch.zip"
    (cd "$stage" && zip -qrX "$dist/$name-windows-$arch.zip" "$name-windows-$arch")
done
rm -f "$dist/$name-linux-x86_64.tar.gz"
tar -C "$stage" --owner=0 --group=0 -czf "$dist/$name-linux-x86_64.tar.gz" "$name-linux-x86_64"

echo "Release $version:"
for archive in "$dist/$name-windows-x86.zip" "$dist/$name-windows-x64.zip" "$dist/$name-linux-x86_64.tar.gz"; do
    printf '  %s  (%s bytes)\n' "${archive#"$top"/}" "$(stat -c %s "$archive")"
done
