#!/usr/bin/env bash
# Makes the README's screenshot of the window, on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target Kadenzo
work=$(mktemp -d /tmp/kadenzo-shot-XXXXXX)
cp examples/sample-clip.nwctxt "$work/input.nwctxt"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/drive-kadenzo.sh build/app/Kadenzo \
  "$work/input.nwctxt" "$work/output.nwctxt" docs/kadenzo-window.png
echo "Saved docs/kadenzo-window.png"
