#!/usr/bin/env bash
# Runs a command on a private headless X display (Xvfb), then stops the
# wineserver of the given prefix before the display goes away.
# Usage: with-display.sh WINEPREFIX COMMAND...
set -euo pipefail
# The screen holds the main window even at 192 DPI (640x1132 client pixels).
prefix="$1"; shift
exec xvfb-run -a -s "-screen 0 1600x1400x24 -nolisten tcp" \
  bash -c '"$@"; rc=$?; WINEPREFIX="$0" wineserver -k >/dev/null 2>&1 || true; exit $rc' "$prefix" "$@"
