#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: starts one Xvfb display
# and one persistent wineserver for the build's prefix, and stops both (by
# their own process ids) when the calling script exits.
# Needs: $win32_dir, the win32 build folder; or $wine_build_dir with
# $wine_arch=win64 for the 64-bit build (a 64-bit prefix runs both kinds).

export WINEPREFIX="${wine_build_dir:-$win32_dir}/wineprefix"
export WINEARCH="${wine_arch:-win32}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

zav_xvfb_pid=""
zav_stop_session() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$zav_xvfb_pid" ] && kill "$zav_xvfb_pid" 2>/dev/null || true
}
trap zav_stop_session EXIT

# A free display number, found by Xvfb itself.
display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
zav_xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"

# Wine's helpers inherit stdout, so keep them away from piped test output.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
fi
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
