#!/usr/bin/env bash
# Redraws the BMPs and writes PNG previews, including the panel composed as the
# editor shows it (knobs and lamp in place), into out/artwork/ or the folder given.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/regenerate.sh" --preview-dir "${1:-$here/../out/artwork}"
