#!/usr/bin/env bash
# Redraws the editor's four BMPs in this folder from the drawing code in art/.
# Installs the drawing tools first when they are missing (Debian packages only).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

packages=(python3 python3-cairo fonts-roboto-unhinted fonts-comfortaa fontconfig)
missing=()
for pkg in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
if [ "${#missing[@]}" -gt 0 ]; then
    run_as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
    export DEBIAN_FRONTEND=noninteractive
    run_as_root apt-get update -qq
    run_as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's interpreter, which is the one python3-cairo installs into.
PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$here/art/generate.py" --bmp-dir "$here" "$@"
