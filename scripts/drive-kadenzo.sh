#!/usr/bin/env bash
# Runs Kadenzo on INPUT and OUTPUT on the current X display, takes a
# screenshot of the window into SHOT, then presses Enter twice (copy, then
# OK) as a user would. Meant to run under xvfb-run.
# Usage: drive-kadenzo.sh KADENZO INPUT OUTPUT SHOT
set -euo pipefail
kadenzo=$1 input=$2 output=$3 shot=$4

"$kadenzo" "$input" "$output" 2>/dev/null &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --name '^Kadenzo 0.1 by Tarrow Software$')
xdotool windowfocus --sync "$window"
sleep 0.5
import -window "$window" "$shot"
xdotool key --delay 200 Return Return 2>/dev/null || true
wait "$pid"
