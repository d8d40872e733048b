#!/usr/bin/env bash
# Runs Kadenzo on a copy of the bundled sample clip (the tool deletes its
# input) and prints what it wrote. With a display, the window opens for you:
# press "Copy Articulation from First Bar", then "OK". Without one (or in CI),
# the window runs on a virtual display, copy and OK are pressed by keyboard,
# and a screenshot is saved beside the result (or where KADENZO_SCREENSHOT
# says).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target Kadenzo

work=$(mktemp -d /tmp/kadenzo-sample-XXXXXX)
cp examples/sample-clip.nwctxt "$work/input.nwctxt"
if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  build/app/Kadenzo "$work/input.nwctxt" "$work/output.nwctxt"
else
  xvfb-run -a -s "-screen 0 1024x768x24" scripts/drive-kadenzo.sh build/app/Kadenzo \
    "$work/input.nwctxt" "$work/output.nwctxt" "${KADENZO_SCREENSHOT:-$work/window.png}"
  echo "Screenshot of the window: ${KADENZO_SCREENSHOT:-$work/window.png}"
fi
if [ -f "$work/output.nwctxt" ]; then
  echo "Kadenzo wrote $work/output.nwctxt:"
  cat "$work/output.nwctxt"
else
  echo "Kadenzo wrote nothing (cancelled or closed)."
fi
