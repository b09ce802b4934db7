#!/usr/bin/env bash
# Runs a test program as an ordinary user, for whom a read-only folder is
# read-only: as itself when not root; as root, as "nobody", from a copy in
# a fresh folder that user can reach, with a home of its own.
set -euo pipefail
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
  exec "$program" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$program" "$work/"
mkdir "$work/home"
chown nobody:nogroup "$work/home"
cd "$work/home"
setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" TMPDIR="$work/home" \
  "$work/$(basename "$program")" "$@"
