#!/usr/bin/env bash
# quorvix-cli extract --thorough on the sample scan: every true point within
# a tenth of a pixel, nothing invented, the same file format; --match and
# --strict draw a note on standard error and change nothing.
source "$(dirname "$0")/common.sh"

axes=(--vmin -10 --vmax 10 --min 0.82 --max 1.02)

"$cli" extract "$root/samples/sextet.bmp" --unit "$unit" "${axes[@]}" --thorough -o "$work/plain.txt" 2>"$work/plain.err" ||
  fail "the thorough run failed"
[ -s "$work/plain.err" ] && fail "unexpected message: $(cat "$work/plain.err")"
head -n 1 "$work/plain.txt" | grep -q $'^!Quorvix ASCII data: 120  sextet.bmp\r$' || fail "header: $(head -n 1 "$work/plain.txt")"

"$cli" extract "$root/samples/sextet.bmp" --unit "$unit" "${axes[@]}" --thorough --match 99 --strict \
  -o "$work/noted.txt" 2>"$work/noted.err" || fail "the run with --match failed"
grep -q "note: --match and --strict are ignored with --thorough" "$work/noted.err" || fail "no note: $(cat "$work/noted.err")"
cmp -s "$work/plain.txt" "$work/noted.txt" || fail "--match or --strict changed the thorough result"

"$cli" --help | grep -q -- "--thorough" || fail "the usage does not mention --thorough"

# A tenth of a pixel is 20/960/10 mm/s across and 0.20/400/10 up.
awk -F, -v dv=0.0020834 -v dc=0.0000501 -f "$root/tests/cli/match_truth.awk" "$work/plain.txt" "$root/samples/sextet_truth.csv" || failures=$((failures + 1))

if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "thorough command-line checks passed"
