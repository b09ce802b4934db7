#!/usr/bin/env bash
# quorvix-cli extract --save-setup and --setup: a setup saved by one run gives
# that run's bytes again, in both modes and with picture edits; options on the
# line override it; a file that is no setup fails in one line.
source "$(dirname "$0")/common.sh"
axes=(--vmin -10 --vmax 10 --min 0.82 --max 1.02)

for mode in default thorough; do
  extra=()
  [ "$mode" = thorough ] && extra=(--thorough)
  "$cli" extract "$sample" --unit "$unit" "${axes[@]}" "${extra[@]}" --grey-limit 230 --clear-inside 900,0,960,20 \
    --match 70 --save-setup "$work/$mode.qvsetup" -o "$work/$mode-first.txt" || fail "$mode: the run saving the setup failed"
  grep -q '"format": "Quorvix setup"' "$work/$mode.qvsetup" || fail "$mode: no setup written"
  [ -s "$work/$mode-first.txt" ] || fail "$mode: the first run wrote no points"
  "$cli" extract "$sample" --setup "$work/$mode.qvsetup" -o "$work/$mode-again.txt" ||
    fail "$mode: the run from the setup failed"
  cmp -s "$work/$mode-first.txt" "$work/$mode-again.txt" || fail "$mode: the setup gave other bytes"
done

"$cli" extract "$sample" --setup "$work/default.qvsetup" --vmax 20 -o "$work/wider.txt" || fail "override failed"
cmp -s "$work/default-first.txt" "$work/wider.txt" && fail "--vmax on the line did not override the setup"
[ "$(wc -l <"$work/wider.txt")" -eq "$(wc -l <"$work/default-first.txt")" ] || fail "the override changed the points"

printf '{"format": "Quorvix setup", "version": 7}' >"$work/later.qvsetup"
"$cli" extract "$sample" --setup "$work/later.qvsetup" -o "$work/x.txt" 2>"$work/err.txt"
[ $? -eq 1 ] || fail "a setup of another version did not fail with 1"
[ "$(wc -l <"$work/err.txt")" -eq 1 ] && grep -q "cannot open the setup .*version 7" "$work/err.txt" ||
  fail "standard error: $(cat "$work/err.txt")"

"$cli" extract "$sample" -o "$work/x.txt" 2>/dev/null
[ $? -eq 2 ] || fail "extract without --unit or --setup is not a usage error"

exit $((failures > 0))
