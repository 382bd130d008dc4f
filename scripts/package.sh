#!/usr/bin/env bash
# Builds the size-optimised Windows files and packs the portable release zip
# (build/windows/Zenthra-<version>-win64.zip) and, with the same two files,
# the per-user installer (build/windows/Zenthra-<version>.msi).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Zenthra tessarel
(cd build/windows && cpack -G ZIP)
cmake --build --preset windows --target zenthra_msi
