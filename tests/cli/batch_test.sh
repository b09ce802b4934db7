#!/usr/bin/env bash
# quorvix-cli extract --setup over several pictures: each file holds exactly
# the bytes of a single run, for -j 1 and -j 2; a failing picture among good
# ones is named and counted and the call exits 1; several pictures need a
# folder; the csv, tsv and json formats.
source "$(dirname "$0")/common.sh"

# A series of one paper's figures: the sample, a part of it, and it with
# a stretch cleared.
cp "$root/samples/sextet.bmp" "$work/sextet.bmp"
"$cli" edit "$work/sextet.bmp" --crop 150,0,960,400 -o "$work/part.bmp" || fail "cannot crop"
"$cli" edit "$work/sextet.bmp" --clear-inside 300,0,500,400 -o "$work/cleared.bmp" || fail "cannot clear"
pictures=("$work/sextet.bmp" "$work/part.bmp" "$work/cleared.bmp")
"$cli" extract "$work/sextet.bmp" --unit "$(cat "$root/samples/sextet_unit.txt")" --thorough \
  --save-setup "$work/setup.qvsetup" -o "$work/sextet-single.txt" 2>/dev/null || fail "the setup run failed"

for j in 1 2; do
  mkdir "$work/j$j"
  "$cli" extract --setup "$work/setup.qvsetup" "${pictures[@]}" -o "$work/j$j" -j $j 2>"$work/j$j.err" ||
    fail "-j $j: the batch failed: $(cat "$work/j$j.err")"
  tail -n 1 "$work/j$j.err" | grep -qx "3 pictures: 3 done, 0 failed" || fail "-j $j: summary $(tail -n 1 "$work/j$j.err")"
  [ "$(grep -c ' points to ' "$work/j$j.err")" -eq 3 ] || fail "-j $j: not one line per picture"
done
for p in "${pictures[@]}"; do
  name=$(basename "$p" .bmp)
  "$cli" extract "$p" --setup "$work/setup.qvsetup" -o "$work/$name-single.txt" 2>/dev/null
  cmp -s "$work/j1/$name.txt" "$work/$name-single.txt" || fail "$name: the batch file differs from a single run"
  cmp -s "$work/j1/$name.txt" "$work/j2/$name.txt" || fail "$name: -j 2 differs from -j 1"
done
cmp -s "$work/j1/sextet.txt" "$work/sextet-single.txt" || fail "the setup did not give its own run's bytes"

printf 'not a picture' >"$work/broken.bmp"
mkdir "$work/mixed"
"$cli" extract --setup "$work/setup.qvsetup" "$work/sextet.bmp" "$work/broken.bmp" "$work/part.bmp" \
  -o "$work/mixed" 2>"$work/mixed.err"
[ $? -eq 1 ] || fail "a failing picture did not make the call exit 1"
grep -q "^quorvix-cli: .*broken.bmp: " "$work/mixed.err" || fail "the failure is not named: $(cat "$work/mixed.err")"
tail -n 1 "$work/mixed.err" | grep -qx "3 pictures: 2 done, 1 failed" || fail "summary: $(tail -n 1 "$work/mixed.err")"
[ -s "$work/mixed/part.txt" ] || fail "the picture after the failing one was not done"

"$cli" extract --setup "$work/setup.qvsetup" "${pictures[@]}" -o "$work/one.txt" 2>/dev/null
[ $? -eq 2 ] || fail "several pictures into one file is not a usage error"
"$cli" extract --setup "$work/setup.qvsetup" "${pictures[@]}" 2>/dev/null
[ $? -eq 2 ] || fail "several pictures to standard output is not a usage error"

points=$(($(wc -l <"$work/sextet-single.txt") - 1))
"$cli" extract "$work/sextet.bmp" --setup "$work/setup.qvsetup" --format csv -o "$work/s.csv" 2>/dev/null
head -n 1 "$work/s.csv" | grep -qx $'velocity,value\r' || fail "csv header"
cmp -s <(tail -n +2 "$work/s.csv") <(tail -n +2 "$work/sextet-single.txt") || fail "csv rows differ from the ascii file"
"$cli" extract "$work/sextet.bmp" --setup "$work/setup.qvsetup" --format tsv -o "$work/s.tsv" 2>/dev/null
head -n 1 "$work/s.tsv" | grep -qx $'velocity\tvalue\r' || fail "tsv header"
[ "$(tail -n +2 "$work/s.tsv" | tr '\t' ',' | cmp -s - <(tail -n +2 "$work/sextet-single.txt") && echo same)" = same ] ||
  fail "tsv rows differ from the ascii file"
"$cli" extract "$work/sextet.bmp" --setup "$work/setup.qvsetup" --format json -o "$work/s.json" 2>/dev/null
grep -q '"picture": "sextet.bmp"' "$work/s.json" && grep -q "\"count\": $points," "$work/s.json" ||
  fail "json: $(head -c 300 "$work/s.json")"
"$cli" extract "$work/sextet.bmp" --setup "$work/setup.qvsetup" --format xml 2>/dev/null
[ $? -eq 2 ] || fail "--format xml is not a usage error"

exit $((failures > 0))
