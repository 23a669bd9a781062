#!/usr/bin/env bash
# The main job: installs what is missing, builds ZAVTOLVEK.dll and our host
# vsthost.exe, then, under Wine, plays the built-in demo phrase through every
# factory program into out/demo/<Program>.wav and, when the plug-in has an
# editor, saves a picture of it per program as out/demo/<Program>.png.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
out="$top/out/demo"

"$top/scripts/install-deps.sh"
# Only what the demo runs: the plug-in and the host, not the test programs.
TARGETS="ZAVTOLVEK vsthost" "$top/scripts/build.sh" win32

win32_dir="$build_root/win32"
vsthost="$win32_dir/tools/vsthost/vsthost.exe"
plugin="Z:$win32_dir/ZAVTOLVEK.dll"
# shellcheck source=scripts/wine-session.sh
source "$top/scripts/wine-session.sh"

mkdir -p "$out"
info="$(wine "$vsthost" info "$plugin" </dev/null | tr -d '\r')"

# Program lines sit between "Programs (current: N):" and "Parameters ...",
# as "  <number>  <name>".
programs="$(printf '%s\n' "$info" | sed -n '/^Programs (current/,/^Parameters/p' |
    sed -n 's/^ *\([0-9][0-9]*\)  \(.*\)$/\1\t\2/p')"
if [ -z "$programs" ]; then
    echo "demo: the plug-in reports no programs" >&2
    exit 1
fi
has_editor=no
printf '%s\n' "$info" | grep -q '^Flags:.*has editor' && has_editor=yes

# A program name as a file name: anything but letters, digits, dot, dash and
# underscore becomes an underscore.
file_name() { printf '%s' "$1" | sed 's/[^A-Za-z0-9._-]/_/g'; }

written=()
while IFS=$'\t' read -r number name; do
    base="$out/$(file_name "$name")"
    echo "== $name"
    wine "$vsthost" render "$plugin" -o "Z:$base.wav" --program "$number" </dev/null | tr -d '\r'
    written+=("$base.wav")
    if [ "$has_editor" = yes ]; then
        wine "$vsthost" editor "$plugin" -o "Z:$base.png" --program "$number" --seconds 1 </dev/null | tr -d '\r'
        written+=("$base.png")
    fi
done <<< "$programs"

[ "$has_editor" = yes ] || echo "(the plug-in has no editor yet: no pictures)"
echo
echo "Wrote:"
for file in "${written[@]}"; do
    printf '  %s\n' "${file#"$top"/}"
done
