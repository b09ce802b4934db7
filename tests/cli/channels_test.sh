#!/usr/bin/env bash
# quorvix-cli extract --channels on a rendered dense spectrum with stretches
# without points: one line on standard error with the channels and the
# points found, one point per found channel in the file, the velocities on
# one equal spacing; bad channel counts are usage errors.
source "$(dirname "$0")/common.sh"

"$render" "$work" --group spectra --only spectra_512_gaps >/dev/null || { echo "cannot render"; exit 1; }
picture=$work/spectra_512_gaps.bmp
unit=$(cat "$work/spectra_512_gaps_unit.txt")
truth=$(grep -vc '^#' "$work/spectra_512_gaps_truth.csv")
# The picture's columns 0 .. 999 run from -5 to 5 mm/s.
axes=(--vmin -5 --vmax 5 --min 0 --max 1)

"$cli" extract "$picture" --unit "$unit" "${axes[@]}" --channels auto -o "$work/auto.txt" 2>"$work/auto.err" ||
  fail "the run with --channels auto failed"
[ "$(wc -l <"$work/auto.err")" -eq 1 ] || fail "standard error: $(cat "$work/auto.err")"
grep -Eq '^512 channels, [0-9]+ found$' "$work/auto.err" || fail "standard error: $(cat "$work/auto.err")"
found=$(sed -E 's/.* ([0-9]+) found/\1/' "$work/auto.err")
head -n 1 "$work/auto.txt" | grep -q "^!Quorvix ASCII data: $found " || fail "header: $(head -n 1 "$work/auto.txt")"
[ "$found" -ge $((truth - 2)) ] && [ "$found" -le "$truth" ] || fail "$found points for $truth channels with a symbol"
# Every velocity lies on one grid: neighbours differ by a whole number of spacings.
tail -n +2 "$work/auto.txt" | awk -F, '
  { v[NR] = $1 }
  END {
    step = 1e9
    for (i = 2; i <= NR; ++i) if (v[i] - v[i - 1] < step) step = v[i] - v[i - 1]
    if (step <= 0 || step > 0.0197) { print "FAIL: smallest step " step; exit 1 }
    for (i = 2; i <= NR; ++i) {
      k = (v[i] - v[i - 1]) / step
      if (k - int(k + 0.5) > 0.02 || int(k + 0.5) - k > 0.02) { print "FAIL: step " v[i] - v[i - 1]; exit 1 }
    }
  }' || failures=$((failures + 1))

"$cli" extract "$picture" --unit "$unit" "${axes[@]}" --channels 512 -o "$work/given.txt" 2>"$work/given.err" ||
  fail "the run with --channels 512 failed"
grep -Eq '^512 channels, [0-9]+ found$' "$work/given.err" || fail "standard error: $(cat "$work/given.err")"

# A piece of the spectrum around the unit holds too few symbols for a
# spacing: one line says why, and the thorough mode's points are written.
IFS=, read -r l t r b <<<"$unit"
"$cli" extract "$picture" --crop "$((l - 6)),$((t - 6)),$((r + 6)),$((b + 6))" --unit "6,6,$((r - l + 6)),$((b - t + 6))" \
  --channels auto -o "$work/few.txt" 2>"$work/few.err" || fail "the run on a piece failed"
[ "$(wc -l <"$work/few.err")" -eq 1 ] || fail "standard error: $(cat "$work/few.err")"
grep -q "^quorvix-cli: cannot find an equal channel spacing: " "$work/few.err" || fail "standard error: $(cat "$work/few.err")"
head -n 1 "$work/few.txt" | grep -q "^!Quorvix ASCII data: [1-9]" || fail "the piece's points: $(head -n 1 "$work/few.txt")"

for bad in 0 -4 2.5 many ""; do
  "$cli" extract "$picture" --unit "$unit" --channels "$bad" -o "$work/bad.txt" 2>"$work/bad.err"
  status=$?
  [ "$status" -eq 2 ] || fail "--channels '$bad' gave exit status $status"
  head -n 1 "$work/bad.err" | grep -q "^quorvix-cli: option --channels needs auto or a whole number" ||
    fail "--channels '$bad': $(head -n 1 "$work/bad.err")"
  [ -e "$work/bad.txt" ] && fail "--channels '$bad' wrote a file"
done

"$cli" --help | grep -q -- "--channels" || fail "the usage does not mention --channels"

if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "channel command-line checks passed"
