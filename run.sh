#!/usr/bin/env bash
# Installs what is missing, builds incrementally and starts Quorvix. Arguments
# are passed on to the program; "./run.sh cli ARGS" runs the command-line tool.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset default >/dev/null
if [ "${1:-}" = "cli" ]; then
  shift
  cmake --build --preset default --target quorvix-cli >/dev/null
  exec build/default/src/quorvix-cli "$@"
fi
cmake --build --preset default --target quorvix >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "quorvix: no display found; start it from a desktop session or under xvfb-run" >&2
  exit 1
fi
exec build/default/src/quorvix "$@"
