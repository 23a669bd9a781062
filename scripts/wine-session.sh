#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: starts one Xvfb display
# (x-session.sh) and one persistent wineserver for the build's prefix, and
# stops both (by their own process ids) when the calling script exits.
# Needs: $win32_dir, the win32 build folder; or $wine_build_dir with
# $wine_arch=win64 for the 64-bit build (a 64-bit prefix runs both kinds).

export WINEPREFIX="${wine_build_dir:-$win32_dir}/wineprefix"
export WINEARCH="${wine_arch:-win32}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# shellcheck source=scripts/x-session.sh
source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"
zav_stop_session() {
    wineserver -k >/dev/null 2>&1 || true
    zav_stop_display
}
trap zav_stop_session EXIT

# Wine's helpers inherit stdout, so keep them away from piped test output.
# A new prefix is made and its server let finish before the session's own
# server starts: in a prefix still being set up, every program that opens a
# window waited some 20 s for Wine's desktop.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -u >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
fi
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
