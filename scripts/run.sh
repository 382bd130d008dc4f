#!/usr/bin/env bash
# Starts Zenthra under Wine on this machine's display, building it first
# (and installing the tools it needs) if anything is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
No display: DISPLAY is not set, so there is nowhere to show the window.
Run this from a desktop session, over `ssh -X`, or on a virtual display:
  xvfb-run -a scripts/run.sh      (headless; see scripts/screenshot.sh for a picture)
MSG
  exit 2
fi

scripts/install-deps.sh
if [ ! -f build/windows/build.ninja ]; then cmake --preset windows >/dev/null; fi
cmake --build --preset windows --target Zenthra
exec build/windows/wine-run build/windows/bin/Zenthra.exe
