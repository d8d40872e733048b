#!/usr/bin/env bash
# Makes the README's screenshot of the window, on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
CI=true KADENZO_SCREENSHOT="$PWD/docs/kadenzo-window.png" scripts/run-sample.sh >/dev/null
echo "Saved docs/kadenzo-window.png"
