#!/usr/bin/env bash
# The sample scan through quorvix-cli: every true point is found, nothing is
# invented, and each centre lies within one pixel of the truth; the file is
# byte for byte samples/sextet_expected.txt, which the package's check
# compares the installed program's output with.
set -euo pipefail
cli=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cli" extract "$root/samples/sextet.bmp" --unit "$(cat "$root/samples/sextet_unit.txt")" \
  --vmin -10 --vmax 10 --min 0.82 --max 1.02 -o "$work/out.txt"

head -n 1 "$work/out.txt" | grep -q $'^!Quorvix ASCII data: 120  sextet.bmp\r$' || {
  echo "unexpected header: $(head -n 1 "$work/out.txt" | od -c | head -n 2)"; exit 1; }

# One pixel is 20/960 mm/s across and 0.20/400 up.
awk -F, -v dv=0.0208334 -v dc=0.0005001 -v say=1 -f "$root/tests/cli/match_truth.awk" "$work/out.txt" "$root/samples/sextet_truth.csv"

cmp "$work/out.txt" "$root/samples/sextet_expected.txt" || {
  echo "the output differs from samples/sextet_expected.txt; if the change is meant, write the file anew"
  exit 1
}
