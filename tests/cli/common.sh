# What the command-line tests share, sourced with the test's own arguments
# (quorvix-cli, the source root, render_devset): a scratch folder removed at
# the end, a failure counter, and the sample with its unit rectangle.
set -uo pipefail
cli=$1
root=$2
render=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
sample=$root/samples/sextet.bmp
unit=$(cat "$root/samples/sextet_unit.txt")
