#!/usr/bin/env bash
# Runs the libFuzzer targets of a fuzz build (make fuzz), one after the other. Each target starts
# from fuzz/corpus/<name>, runs for FUZZ_SECONDS (0: no limit) or FUZZ_RUNS executions (-1: no
# limit), whichever ends first; the inputs it found that add coverage are then merged back into
# the corpus (-merge=1, so the corpus stays small). Prints one line per target, also kept in
# <build>/fuzz-summary.txt:
#   fuzz_<name>: <executions> executions, <new> new inputs, <crashes> crashes (<seconds> s)
# Crashes, leaks and timeouts are kept as <build>/fuzz-work/<name>/artifacts/*, with the log
# beside them. Exit 1 when any target crashed or could not run. fuzz/dict/<name>.dict, when there
# is one, gives the mutations the words of that target's texts.
#   FUZZ_BUILD    the fuzz build folder (build-fuzz)
#   FUZZ_TARGETS  names without "fuzz_", separated by spaces (all when empty)
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${FUZZ_BUILD:-$root/build-fuzz}" && pwd)
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}
targets=${FUZZ_TARGETS:-}
if [ -z "$targets" ]; then
  for source in "$root"/fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    [ "$name" = fuzz_replay_main ] || targets="$targets ${name#fuzz_}"
  done
fi

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

summary=$build/fuzz-summary.txt
: > "$summary"
status=0
for name in $targets; do
  binary=$build/fuzz/fuzz_$name
  corpus=$root/fuzz/corpus/$name
  work=$build/fuzz-work/$name
  rm -rf "$work"
  mkdir -p "$work/new" "$work/artifacts"
  if [ ! -x "$binary" ] || [ ! -d "$corpus" ]; then
    line="fuzz_$name: not run (no binary $binary or no corpus $corpus)"
    echo "$line" | tee -a "$summary"
    status=1
    continue
  fi
  dictionary=()
  [ -f "$root/fuzz/dict/$name.dict" ] && dictionary=(-dict="$root/fuzz/dict/$name.dict")
  before=$(find "$corpus" -type f | wc -l)
  start=$(date +%s)
  # New inputs go to the first folder; the corpus is only read.
  "$binary" "${dictionary[@]}" -max_total_time="$seconds" -runs="$runs" -timeout=25 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/new" "$corpus" > "$work/fuzz.log" 2>&1
  rc=$?
  elapsed=$(( $(date +%s) - start ))
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
  if [ -z "$executions" ]; then
    # A run cut short by a crash prints no final stats: its last status line says how far it got.
    executions=$(grep -o '^#[0-9]*' "$work/fuzz.log" | tail -n 1 | tr -d '#')
  fi
  if [ -n "$(ls -A "$work/new")" ]; then
    "$binary" -merge=1 -timeout=25 "$corpus" "$work/new" > "$work/merge.log" 2>&1
  fi
  after=$(find "$corpus" -type f | wc -l)
  crashes=$(find "$work/artifacts" -type f | wc -l)
  line="fuzz_$name: ${executions:-0} executions, $((after - before)) new inputs,"
  line="$line $crashes crashes (${elapsed} s)"
  if [ "$crashes" -eq 0 ] && [ "$rc" -ne 0 ]; then
    line="$line; the run failed with status $rc"
  fi
  echo "$line" | tee -a "$summary"
  if [ "$crashes" -ne 0 ] || [ "$rc" -ne 0 ]; then
    status=1
    find "$work/artifacts" -type f -printf '  %p\n'
    echo "  log: $work/fuzz.log"
  fi
done
exit $status
