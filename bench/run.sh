#!/usr/bin/env bash
# Runs all benchmarks and prints one markdown table:
#   (a) start of Zenthra.exe against its two floors, (b) Help > About against
#   a floor dialog of the same content with stock SysLink links (and, for
#   information, an empty window of the dialog's size; both timed by
#   startup_bench.exe under Wine, on a private headless display), (c) the
#   force rules natively (Google Benchmark), (d) the sizes and imported DLLs
#   of the shipped files, and each floor's imports, which must be system
#   DLLs only, (e) the heap growth of each Help > About and OK,
#   against Wine's static control leak reproduced without Zenthra, (f) the
#   start-up of Zenthra and of its same-controls floor step by step
#   (bench/startup_breakdown.sh).
# Installs and builds what it needs (build/windows and build/bench).
# Usage: bench/run.sh [ROUNDS [WARMUPS]]   (default 30 rounds after 3 warm-ups)
# ZENTHRA_BENCH_BUILD names another Windows build folder than build/windows.
set -euo pipefail
cd "$(dirname "$0")/.."

rounds="${1:-30}"
warmups="${2:-3}"
win="${ZENTHRA_BENCH_BUILD:-build/windows}"
out="$win/bench-results"
objdump=x86_64-w64-mingw32-objdump

scripts/install-deps.sh
if [ ! -f "$win/build.ninja" ]; then cmake --preset windows -B "$win" >/dev/null; fi
cmake --build "$win" --target startup_bench Zenthra tessarel about_heap_bench static_font_heap >/dev/null
if [ ! -f build/bench/build.ninja ]; then cmake --preset bench >/dev/null; fi
cmake --build --preset bench --target force_bench >/dev/null
mkdir -p "$out"

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"

# (c) natively; CPU time per iteration.
build/bench/bench/force_bench --benchmark_format=csv 2>/dev/null >"$out/force_bench.csv"

# (a) and (b): the driver starts every program itself, from its own folder,
# under one wineserver (started warm by wine-run), on a display of its own.
echo "Timing start-up under Wine: $rounds rounds after $warmups warm-ups (a few minutes)..." >&2
scripts/with-display.sh "$PWD/$win/wineprefix" "$win/wine-run" \
  "$win/bin/startup_bench.exe" --rounds "$rounds" --warmups "$warmups" \
  >"$out/startup_bench.out" 2>"$out/startup_bench.log"
tr -d '\r' <"$out/startup_bench.out" >"$out/startup_bench.txt"

# (f): Wine's timestamps of the DLLs each start loads, up to ten rounds.
breakdown_rounds=$(( rounds < 10 ? rounds : 10 ))
scripts/with-display.sh "$PWD/$win/wineprefix" bench/startup_breakdown.sh "$win" "$breakdown_rounds" \
  >"$out/breakdown.txt" 2>"$out/breakdown.log"

# (e): each program measures its own heaps, 200 cycles after warm-ups.
for program in about_heap_bench static_font_heap; do
  scripts/with-display.sh "$PWD/$win/wineprefix" "$win/wine-run" "$win/bin/$program.exe" 2>>"$out/heap_bench.log"
done | tr -d '\r' >"$out/heap_bench.txt"

load_after="$(cut -d' ' -f1-3 /proc/loadavg)"
cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
machine="$cpu, $(nproc) cores, $(uname -sr), $(wine --version 2>/dev/null | head -n1), $(date -u '+%Y-%m-%d %H:%M UTC'), load average $load_before before / $load_after after"

kib() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }
imports() { "$objdump" -p "$1" | awk '/DLL Name/ { print $3 }' | paste -sd, - | sed 's/,/, /g'; }
bytes() { stat -c %s "$1"; }

# Why a target is missed, where the cause is known from the build and the
# structure of the programs (see bench/RESULTS.md for the figures behind them).
why_start="see the start steps (f) for where Zenthra spends more than its floor"
why_about="the dialog loads tessarel.ocx without registration and creates, restores and activates three COM controls where the floor creates three SysLink windows"
why_size="the C++ runtime is linked statically: one std::wstring brings in its exception support, unwinder and demangler, about 170 KiB (a MessageBox program: 14 KiB without a std::wstring, 180 KiB with one)"

awk -v machine="$machine" -v rounds="$rounds" -v warmups="$warmups" \
    -v zsize="$(bytes "$win/bin/Zenthra.exe")" -v osize="$(bytes "$win/bin/tessarel.ocx")" \
    -v zkib="$(kib "$win/bin/Zenthra.exe")" -v okib="$(kib "$win/bin/tessarel.ocx")" \
    -v zimp="$(imports "$win/bin/Zenthra.exe")" -v oimp="$(imports "$win/bin/tessarel.ocx")" \
    -v floorimp="$(for floor in floor_empty_window floor_same_controls floor_about_dialog; do
                     echo "$floor.exe=$(imports "$win/bin/$floor.exe")"; done | paste -sd';' -)" \
    -v why_start="$why_start" -v why_about="$why_about" -v why_size="$why_size" \
    -v forcecsv="$out/force_bench.csv" -v heaptxt="$out/heap_bench.txt" '
  function field(line, key,    n, parts, i, kv) {
    n = split(line, parts, " ")
    for (i = 1; i <= n; i++) { split(parts[i], kv, "="); if (kv[1] == key) return kv[2] }
    return ""
  }
  function series(kind, prog,    line) {
    line = data[kind " " prog]
    if (line == "" || field(line, "n") == 0) return ""
    return line
  }
  function shown(line) {
    if (line == "") return "not measured"
    return sprintf("%.1f ms (n=%d, %d failed)", field(line, "median_ms"), field(line, "n"), field(line, "failed"))
  }
  function row(what, measured, against, ratio, target, verdict) {
    printf "| %s | %s | %s | %s | %s | %s |\n", what, measured, against, ratio, target, verdict
  }
  function compare(what, kind, prog, floorprog, floorname, limit, why,    a, b, r, verdict, target) {
    a = series(kind, prog); b = series(kind, floorprog)
    target = limit > 0 ? sprintf("<= %.2fx", limit) : "-"
    if (a == "" || b == "") {
      row(what, shown(a), floorname " " shown(b), "-", target, limit > 0 ? "not measured" : "-")
      return
    }
    r = field(a, "median_ms") / field(b, "median_ms")
    if (limit <= 0) verdict = "for information"
    else if (r <= limit) verdict = "met"
    else verdict = "**missed**: " why
    row(what, shown(a), floorname " " shown(b), sprintf("%.2fx", r), target, verdict)
  }
  FILENAME == heaptxt && $1 == "data" { heap[$2 " " $3] = $0; heapcase[++nheap] = $2 " " $3; next }
  FILENAME != forcecsv && $1 == "data" && ($2 == "start" || $2 == "about") { data[$2 " " $3] = $0 }
  FILENAME != forcecsv && $1 == "data" && $2 == "forced_exits" { forced += $4 }
  FILENAME == forcecsv && FNR > 1 {
    gsub(/"/, "", $0); split($0, c, ",")
    bench[++nbench] = c[1]; cpu[nbench] = c[4]; unit[nbench] = c[5]
  }
  END {
    print "| Measure | Result | Against | Ratio | Target | Verdict |"
    print "|---|---|---|---|---|---|"
    row("Machine", machine, "", "", "", "")
    row("Method", sprintf("medians of %d interleaved rounds after %d warm-ups, wineserver warm, Xvfb; programs forced to exit: %d", rounds, warmups, forced), "", "", "", "")
    compare("(a) start of Zenthra.exe: main window shown, loop answers", "start", "Zenthra.exe",
            "floor_same_controls.exe", "same 44 controls and font, no logic:", 1.05, why_start)
    compare("(a) start of Zenthra.exe", "start", "Zenthra.exe",
            "floor_empty_window.exe", "empty window, same size and menus:", 0, "")
    compare("(a) start of the same-controls floor", "start", "floor_same_controls.exe",
            "floor_empty_window.exe", "empty window, same size and menus:", 0, "")
    compare("(b) Help > About in Zenthra: dialog shown, 3 link label windows, loop answers", "about", "Zenthra.exe",
            "floor_about_dialog.exe", "same dialog content with 3 stock SysLink links, 3 SysLink windows:", 1.10, why_about)
    compare("(b) Help > About in Zenthra", "about", "Zenthra.exe",
            "floor_empty_window.exe", "empty window of the dialog size:", 0, "")
    compare("(b) Help > About in the SysLink floor", "about", "floor_about_dialog.exe",
            "floor_empty_window.exe", "empty window of the dialog size:", 0, "")
    compare("(a) start of the SysLink About floor (its DLLs)", "start", "floor_about_dialog.exe",
            "floor_same_controls.exe", "same 44 controls and font, no logic:", 0, "")
    for (i = 1; i <= nbench; i++)
      row("(c) " bench[i] " (native)", sprintf("%.0f %s CPU", cpu[i], unit[i]), "", "", "-", "for information")
    row("(d) Zenthra.exe size (release, stripped)", zkib, "", "", "< 256 KiB", zsize < 256 * 1024 ? "met" : "**missed**: " why_size)
    row("(d) Zenthra.exe imports", zimp, "", "", "system DLLs only", "")
    row("(d) tessarel.ocx size (release, stripped)", okib, "", "", "< 128 KiB", osize < 128 * 1024 ? "met" : "**missed**: " why_size)
    row("(d) tessarel.ocx imports", oimp, "", "", "system DLLs only", "")
    # The floors are programs of their own: the Windows API and the C
    # runtime, nothing of the project.
    nfloors = split(floorimp, floors, ";")
    for (i = 1; i <= nfloors; i++) {
      split(floors[i], f, "=")
      n = split(tolower(f[2]), dlls, ", "); foreign = ""
      for (j = 1; j <= n; j++)
        if (dlls[j] !~ /^(kernel32|user32|gdi32|comctl32|ole32|oleaut32|shell32|msvcrt)\.dll$/) foreign = foreign " " dlls[j]
      row("(d) " f[1] " imports (floor)", f[2], "", "", "system DLLs only",
          f[2] == "" ? "not measured" : foreign == "" ? "met" : "**missed**:" foreign)
    }
    about = heap["about_heap zenthra"]; leak = heap["static_font comctl6_static_with_font"]
    if (about == "" || leak == "") {
      row("(e) heap growth per Help > About and OK", "not measured", "", "", "-", "")
    } else {
      own = field(about, "bytes_per_cycle") - field(about, "labels") * field(leak, "bytes_per_cycle")
      row("(e) heap growth per Help > About and OK (200 cycles)",
          sprintf("%.1f bytes in %.2f blocks", field(about, "bytes_per_cycle"), field(about, "blocks_per_cycle")),
          sprintf("Wine: %.1f bytes per text static given a font, %d labels", field(leak, "bytes_per_cycle"), field(about, "labels")),
          "", "none of its own", own < 0.5 ? "met: all of it comes from Wine" : sprintf("**missed**: %.1f bytes of its own", own))
    }
    for (i = 1; i <= nheap; i++) if (heapcase[i] ~ /^static_font /) {
      split(heapcase[i], k, " ")
      row("(e) Wine alone, per child created and destroyed: " k[2], sprintf("%.1f bytes", field(heap[heapcase[i]], "bytes_per_cycle")), "", "", "-", "for information")
    }
  }
' "$out/startup_bench.txt" "$out/force_bench.csv" "$out/heap_bench.txt" | tee "$out/table.md"
tee -a "$out/table.md" <"$out/breakdown.txt"
