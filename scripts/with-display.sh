#!/usr/bin/env bash
# Runs a command on private headless X displays (Xvfb), then stops the
# wineservers of the given prefix and its lane copies before the displays go.
# Usage: with-display.sh WINEPREFIX COMMAND...
# The command sees DISPLAY, and ZENTHRA_LANE_DISPLAYS lists every display,
# DISPLAY first: one per desktop lane that the build beside WINEPREFIX hands
# its tests (desktop_lanes.json, see wine-run), or one.
set -euo pipefail
# The screen holds the main window even at 192 DPI (640x1132 client pixels).
screen="-screen 0 1600x1400x24 -nolisten tcp"
if [ "${1:-}" = --lane-display ]; then
  shift
  export ZENTHRA_LANE_DISPLAYS="$DISPLAY${ZENTHRA_LANE_DISPLAYS:+ $ZENTHRA_LANE_DISPLAYS}"
  read -ra displays <<<"$ZENTHRA_LANE_DISPLAYS"
  if [ "${#displays[@]}" -lt "$ZENTHRA_LANE_COUNT" ]; then
    # The same authority file, so that every display stays open to the command.
    exec xvfb-run -a -f "$XAUTHORITY" -s "$screen" "$0" --lane-display "$@"
  fi
  prefix="$1"; shift
  rc=0
  "$@" || rc=$?
  for server in "$prefix" "$prefix"-lane*; do
    [ -d "$server" ] && { WINEPREFIX="$server" wineserver -k >/dev/null 2>&1 || true; }
  done
  exit $rc
fi
unset ZENTHRA_LANE_DISPLAYS
ZENTHRA_LANE_COUNT="$(grep -o '"id"' "$(dirname "$1")/desktop_lanes.json" 2>/dev/null | wc -l || true)"
[ "$ZENTHRA_LANE_COUNT" -ge 1 ] || ZENTHRA_LANE_COUNT=1
export ZENTHRA_LANE_COUNT
exec xvfb-run -a -s "$screen" "$0" --lane-display "$@"
