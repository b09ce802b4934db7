#!/usr/bin/env bash
# quorvix-cli extract --overlay: a PNG file of the picture's size beside the
# unchanged data file; a file that cannot be written fails the call with one
# line; edit takes no --overlay.
source "$(dirname "$0")/common.sh"

"$cli" extract "$sample" --unit "$unit" -o "$work/plain.txt" || fail "the run without --overlay failed"
"$cli" extract "$sample" --unit "$unit" --overlay "$work/rings.png" -o "$work/ringed.txt" ||
  fail "the run with --overlay failed"
cmp -s "$work/plain.txt" "$work/ringed.txt" || fail "--overlay changed the data file"
[ "$(head -c 8 "$work/rings.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "not a PNG file"
# The IHDR chunk: 961 x 401.
[ "$(head -c 24 "$work/rings.png" | tail -c 8 | od -An -tx1 | tr -d ' \n')" = "000003c100000191" ] ||
  fail "the overlay is not the picture's size"

"$cli" extract "$sample" --unit "$unit" --overlay "$work/missing/rings.png" -o "$work/out.txt" 2>"$work/err.txt"
[ $? -eq 1 ] || fail "an overlay that cannot be written does not fail with 1"
[ "$(wc -l <"$work/err.txt")" -eq 1 ] || fail "standard error: $(cat "$work/err.txt")"
grep -q "missing/rings.png" "$work/err.txt" || fail "the message does not name the file: $(cat "$work/err.txt")"

"$cli" edit "$sample" --overlay "$work/x.png" -o "$work/x.bmp" 2>/dev/null
[ $? -eq 2 ] || fail "edit took --overlay"

exit $((failures > 0))
