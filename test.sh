#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: a normal build
# and an AddressSanitizer + UndefinedBehaviorSanitizer build, GUI tests on the
# offscreen platform; in between, each fuzz target runs briefly from its seed
# corpus. Ends with CTest's summary; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
status=0

build_and_test() {
  local preset=$1
  echo "=== $preset build ==="
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
    echo "=== $preset build failed ==="
    status=1
    return
  fi
  echo "=== $preset tests ==="
  ctest --preset "$preset" -j "$jobs" || status=1
}

build_and_test default

# The fuzz targets, each for a short fixed number of runs (fuzz/run.sh -t
# SECONDS searches longer).
echo "=== fuzz regression runs ==="
fuzz/run.sh -n 3000 || status=1

build_and_test sanitize
exit $status
