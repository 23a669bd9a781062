#!/usr/bin/env bash
# Sourced by the scripts that open windows: starts an Xvfb display of its
# own (a free number, found by Xvfb itself: other people's displays may be
# running) and stops it, by its process id, when the calling script exits.

zav_xvfb_pid=""
zav_stop_display() {
    [ -n "$zav_xvfb_pid" ] && kill "$zav_xvfb_pid" 2>/dev/null || true
}
trap zav_stop_display EXIT

display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
zav_xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"
