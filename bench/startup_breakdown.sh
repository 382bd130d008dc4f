#!/usr/bin/env bash
# The start-up of Zenthra.exe and of its same-controls floor, step by step,
# from Wine's own timestamps of each DLL that the process loads: the loader
# and the static imports, the display driver (the first window is being
# made), theming (the first themed control), and the first paint (comctl32
# loads msimg32 to draw). Prints one table row per step: the medians of both
# programs in ms since the process's first DLL, and of the step's own length.
# Run by bench/run.sh on its display: startup_breakdown.sh BUILD_FOLDER ROUNDS
set -euo pipefail
win="$1"; rounds="$2"
export WINEPREFIX="$PWD/$win/wineprefix" WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
logs="$win/bench-results/breakdown"
mkdir -p "$logs"

# A warm wineserver, as in the timed rounds.
"$win/wine-run" cmd /c exit >/dev/null 2>&1 || true
for round in $(seq 1 "$rounds"); do
  for program in Zenthra floor_same_controls; do
    # Two seconds hold the first paint of either; then the program is ended.
    WINEDEBUG=+timestamp,+loaddll timeout 2 wine "$win/bin/$program.exe" \
      >/dev/null 2>"$logs/$program-$round.log" || true
  done
done

python3 - "$logs" "$rounds" <<'PY'
import re, statistics, sys
logs, rounds = sys.argv[1], int(sys.argv[2])
steps = [("imports", "static imports loaded (last DLL before the display driver)"),
         ("winex11.drv", "display driver loaded: the first window is being made"),
         ("uxtheme.dll", "theming loaded: the first themed control"),
         ("msimg32.dll", "first paint begins (comctl32 loads msimg32)")]
def timeline(path):
    start, marks, last_import = None, {}, None
    for line in open(path, errors="replace"):
        m = re.match(r"\s*(\d+\.\d+):.*Loaded L\"([^\"]+)\"", line)
        if not m: continue
        t, dll = float(m.group(1)) * 1000, m.group(2).split("\\")[-1].lower()
        start = t if start is None else start
        if dll == "winex11.drv" and "imports" not in marks: marks["imports"] = last_import
        if dll in ("winex11.drv", "uxtheme.dll", "msimg32.dll") and dll not in marks: marks[dll] = t - start
        last_import = t - start
    return marks if len(marks) == len(steps) else None
results = {}
for program in ("Zenthra", "floor_same_controls"):
    runs = [timeline(f"{logs}/{program}-{r}.log") for r in range(1, rounds + 1)]
    results[program] = [r for r in runs if r]
def median(program, key, prev):
    runs = results[program]
    if not runs: return None, None
    at = statistics.median(r[key] for r in runs)
    length = statistics.median(r[key] - (r[prev] if prev else 0) for r in runs)
    return at, length
prev = None
for key, what in steps:
    z, zl = median("Zenthra", key, prev)
    f, fl = median("floor_same_controls", key, prev)
    if z is None or f is None:
        print(f"| (f) start step: {what} | not measured |  |  | - | for information |")
    else:
        print(f"| (f) start step: {what} | at {z:.0f} ms, step {zl:.0f} ms (n={len(results['Zenthra'])}) "
              f"| floor: at {f:.0f} ms, step {fl:.0f} ms (n={len(results['floor_same_controls'])}) "
              f"| {zl / fl if fl else 0:.2f}x | - | for information |")
    prev = key
PY
