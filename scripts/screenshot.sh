#!/usr/bin/env bash
# Makes the README's screenshots of the window on a virtual display: at the
# usual 96 dots per inch, and scaled to 200 % as on a 192 dots-per-inch screen.
set -euo pipefail
cd "$(dirname "$0")/.."
CI=true KADENZO_SCREENSHOT="$PWD/docs/kadenzo-window.png" scripts/run-sample.sh >/dev/null
CI=true QT_SCALE_FACTOR=2 KADENZO_SCREENSHOT="$PWD/docs/kadenzo-window-200.png" \
  scripts/run-sample.sh >/dev/null
echo "Saved docs/kadenzo-window.png and docs/kadenzo-window-200.png"
