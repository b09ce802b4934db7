#!/usr/bin/env bash
# Builds the fuzz targets (the "fuzz" preset: clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs them.
#
#   fuzz/run.sh [-n RUNS | -t SECONDS] [TARGET...]
#
# -n RUNS     a regression check: each target runs RUNS inputs from a fixed
#             seed, starting from its seed corpus only (the default, 2000 runs).
# -t SECONDS  a longer search: each target runs for SECONDS and keeps what it
#             finds in build/fuzz/corpus/<target>/ for the next search.
# TARGET      picture_load, number_text, settings_files, scan_compare or
#             cli_arguments (default: all, one after the other).
#
# Inputs that break a target are written to build/fuzz/findings/. Exits
# non-zero when a target found something or could not run.
set -uo pipefail
cd "$(dirname "$0")/.."

runs=2000
seconds=
while getopts "n:t:" option; do
  case $option in
    n) runs=$OPTARG ;;
    t) seconds=$OPTARG ;;
    *) sed -n '2,16p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(picture_load number_text settings_files scan_compare cli_arguments)

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j 2 >/dev/null || cmake --build --preset fuzz -j 1 || exit 1

build=build/fuzz
mkdir -p "$build/findings"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

status=0
for target in "${targets[@]}"; do
  binary=$build/fuzz/fuzz_$target
  seeds=fuzz/corpus/$target
  if [ ! -x "$binary" ] || [ ! -d "$seeds" ]; then
    echo "fuzz: unknown target $target" >&2
    status=1
    continue
  fi
  options=(-timeout=30 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$target-")
  [ -f "fuzz/dict/$target.dict" ] && options+=(-dict="fuzz/dict/$target.dict")
  if [ -n "$seconds" ]; then
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    options+=(-max_total_time="$seconds")
  else
    corpus=$(mktemp -d)
    options+=(-seed=1 -runs="$runs")
  fi
  log=$build/$target.log
  start=$(date +%s)
  nice "$binary" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1
  result=$?
  elapsed=$(($(date +%s) - start))
  [ -z "$seconds" ] && rm -rf "$corpus"
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $result -eq 0 ]; then
    echo "fuzz $target: ${executed:-?} runs in ${elapsed} s, nothing found"
  else
    echo "fuzz $target: FAILED after ${executed:-?} runs in ${elapsed} s (log: $log)"
    grep -E "ERROR|runtime error|property broken|Test unit written" "$log" | head -5
    status=1
  fi
done
exit $status
