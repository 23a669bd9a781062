#!/usr/bin/env bash
# The main job: installs what is missing, builds ZAVTOLVEK.dll and lists it
# through our command-line host.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build_root="${BUILD_ROOT:-$top/build}"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" win32
echo "Built $build_root/win32/ZAVTOLVEK.dll"
