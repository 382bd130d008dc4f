#!/usr/bin/env bash
# Runs every fuzzer of the portable core for a long while, outside CI:
#   scripts/fuzz.sh MINUTES
# The minutes are shared evenly among the fuzzers. Each starts from its
# committed seeds (tests/app/force/fuzz/corpus/NAME) and from what earlier
# runs found (build/host/fuzz/corpus/NAME, where new inputs go); a failing
# input lands in build/host/fuzz/findings/NAME. Prints the figures as rows
# of bench/RESULTS.md: runs, inputs per second, corpus size, findings.
set -uo pipefail
cd "$(dirname "$0")/.."

minutes=${1:?usage: scripts/fuzz.sh MINUTES}
fuzzers=(number_reading_fuzz force_rules_fuzz bot_file_fuzz)
seconds=$(( minutes * 60 / ${#fuzzers[@]} ))
[ "$seconds" -gt 0 ] || { echo "fuzz.sh: MINUTES must be at least 1" >&2; exit 2; }

cmake --preset host >/dev/null || exit 1
cmake --build --preset host --target "${fuzzers[@]}" >/dev/null || exit 1

out=build/host/fuzz
echo "| Fuzzer ($(date -u '+%Y-%m-%d %H:%M UTC'), $seconds s each) | Runs | Inputs/s | Corpus | Findings |"
echo "|---|---|---|---|---|"
status=0
for name in "${fuzzers[@]}"; do
  mkdir -p "$out/corpus/$name" "$out/findings/$name"
  log="$out/$name.log"
  build/host/tests/app/force/fuzz/$name -max_total_time="$seconds" -max_len=256 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$name/" "$out/corpus/$name" "tests/app/force/fuzz/corpus/$name" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  corpus=$(find "$out/corpus/$name" -type f | wc -l)
  findings=$(find "$out/findings/$name" -type f | wc -l)
  echo "| $name | ${runs:-?} | ${rate:-?} | $corpus | $findings |"
  [ "$rc" -eq 0 ] && [ "$findings" -eq 0 ] || status=1
done
exit $status
