#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: a normal build
# and an AddressSanitizer + UndefinedBehaviorSanitizer build; then runs each
# fuzz target briefly. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
status=0
for preset in default sanitize; do
  echo "=== $preset build ==="
  if ! cmake --preset "$preset" >/dev/null; then status=1; continue; fi
  if ! cmake --build --preset "$preset" -j "$jobs"; then status=1; continue; fi
  echo "=== $preset tests ==="
  ctest --preset "$preset" -j "$jobs" || status=1
done

# The fuzz targets, each for a short fixed number of runs from its seed
# corpus (fuzz/run.sh -t SECONDS searches longer).
echo "=== fuzz regression runs ==="
fuzz/run.sh -n 3000 || status=1
exit $status
