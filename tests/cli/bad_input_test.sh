#!/usr/bin/env bash
# quorvix-cli with damaged pictures, outputs that cannot be written and words
# that hold control characters: one line naming the problem, the earlier file
# untouched, nothing half-written.
set -uo pipefail
cli=$1
root=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
sample=$root/samples/sextet.bmp

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# one STATUS MESSAGE ARGS...: the exit status, and standard error exactly one
# line equal to "quorvix-cli: MESSAGE".
one() {
  local want=$1 message=$2
  shift 2
  local err status
  err=$("$cli" "$@" 2>&1 >/dev/null)
  status=$?
  if [ "$status" -ne "$want" ] || [ "$err" != "quorvix-cli: $message" ]; then
    fail "$* -> status $status (want $want), message: $err"
  fi
}

le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)); }
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)); }
# bmp_header WIDTH HEIGHT BITS COMPRESSION DATA_BYTES PALETTE_ENTRIES
bmp_header() {
  local offset=$((54 + 4 * $6))
  printf "BM$(le32 $((offset + $5)))$(le32 0)$(le32 $offset)$(le32 40)$(le32 "$1")$(le32 "$2")$(le16 1)$(le16 "$3")"
  printf "$(le32 "$4")$(le32 "$5")$(le32 2835)$(le32 2835)$(le32 "$6")$(le32 0)"
}

# Pictures that cannot be read.
printf 'not a picture' >"$work/text.bmp"
: >"$work/empty.bmp"
mkdir "$work/folder.bmp"
size=$(stat -c %s "$sample")
head -c $((size / 2)) "$sample" >"$work/half.bmp"
{ bmp_header 100000 100000 24 0 64 0; head -c 64 /dev/zero; } >"$work/huge.bmp"
one 1 "Cannot read the picture $work/text.bmp: Unsupported image format" extract "$work/text.bmp" --unit 0,0,5,5
one 1 "Cannot read the picture $work/empty.bmp: Unsupported image format" extract "$work/empty.bmp" --unit 0,0,5,5
one 1 "Cannot read the picture $work/missing.bmp: File not found" edit "$work/missing.bmp" -o "$work/x.bmp"
one 1 "Cannot read the picture $work/folder.bmp: File not found" edit "$work/folder.bmp" -o "$work/x.bmp"
one 1 "Cannot read the picture $work/half.bmp: the file is cut short: its 961 x 401 pixels need $size bytes, it holds $((size / 2))" \
  edit "$work/half.bmp" -o "$work/x.bmp"
one 1 "Cannot read the picture $work/huge.bmp: it is 100000 x 100000 pixels; Quorvix works on pictures of at most 64 megapixels and 65535 pixels a side" \
  extract "$work/huge.bmp" --unit 0,0,5,5
[ -e "$work/x.bmp" ] && fail "a picture that could not be read was written"

# A damaged run-length picture whose runs jump past its end reads the same on
# every load: the pixels it leaves out are its first palette colour.
{
  bmp_header 40 30 8 1 10 2
  printf "\\x00\\x00\\x00\\x00\\xff\\xff\\xff\\x00"    # palette: black, white
  printf "\\x03\\x01\\x00\\x02\\xff\\xff\\x05\\x01\\x00\\x01" # run, jump out, run, end
} >"$work/rle.bmp"
"$cli" edit "$work/rle.bmp" -o "$work/rle1.bmp" 2>/dev/null || fail "the damaged run-length picture was refused"
"$cli" edit "$work/rle.bmp" -o "$work/rle2.bmp" 2>/dev/null
cmp -s "$work/rle1.bmp" "$work/rle2.bmp" || fail "the damaged run-length picture reads differently each time"

# Outputs that cannot be written: the reason, and the earlier file untouched.
unit=(--unit 0,35,10,45)
"$cli" extract "$sample" "${unit[@]}" -o "$work/good.txt" || fail "the sample was not extracted"
printf 'earlier data\r\n' >"$work/earlier.txt"
cp "$work/earlier.txt" "$work/locked.txt"
chmod 444 "$work/locked.txt"
mkdir "$work/dir.txt"
one 1 "cannot write the file /dev/full: No space left on device" extract "$sample" "${unit[@]}" -o /dev/full
one 1 "cannot write the file $work/dir.txt: Is a directory" extract "$sample" "${unit[@]}" -o "$work/dir.txt"
one 1 "cannot write the file $work/gone/out.txt: No such file or directory" extract "$sample" "${unit[@]}" -o "$work/gone/out.txt"
one 1 "cannot write the file $work/locked.txt: Permission denied" extract "$sample" "${unit[@]}" -o "$work/locked.txt"
one 1 "Cannot write the picture /dev/full: No space left on device" edit "$sample" -o /dev/full
one 1 "Cannot write the picture $work/dir.txt: Is a directory" edit "$sample" -o "$work/dir.txt"
# A read-only folder; root may write into one anyway, and then only the note says so.
mkdir "$work/ro"
chmod 555 "$work/ro"
if touch "$work/ro/probe" 2>/dev/null; then
  rm -f "$work/ro/probe"
  echo "note: this user may write into read-only folders; that check is left out"
else
  one 1 "cannot write the file $work/ro/out.txt: Permission denied" extract "$sample" "${unit[@]}" -o "$work/ro/out.txt"
  one 1 "Cannot write the picture $work/ro/out.bmp: Permission denied" edit "$sample" -o "$work/ro/out.bmp"
  [ -z "$(ls -A "$work/ro")" ] || fail "something was left in the read-only folder"
fi
# A full disk: no file may grow beyond one block.
(
  trap '' XFSZ
  ulimit -f 1
  one 1 "cannot write the file $work/earlier.txt: File too large" extract "$sample" "${unit[@]}" -o "$work/earlier.txt"
  one 1 "Cannot write the picture $work/earlier.txt: File too large" edit "$sample" -o "$work/earlier.txt"
  exit $failures
) || failures=$((failures + $?))
[ -c /dev/full ] || fail "/dev/full is no longer a device"
cmp -s "$work/earlier.txt" <(printf 'earlier data\r\n') || fail "a failed write changed the earlier file"
cmp -s "$work/locked.txt" <(printf 'earlier data\r\n') || fail "a failed write changed the read-only file"
[ -d "$work/dir.txt" ] || fail "a failed write replaced the directory"
ls -A "$work" | grep -q '\.tmp' && fail "a temporary file was left behind"

# A turn whose canvas would pass the size limit: the picture 12002 x 3 with
# two dark pixels 12000 columns apart.
row=36008
{
  bmp_header 12002 3 24 0 $((3 * row)) 0
  head -c $((3 * row)) /dev/zero | tr '\0' '\377'
} >"$work/wide.bmp"
printf '\x00\x00\x00' | dd of="$work/wide.bmp" bs=1 seek=$((54 + 2 * row + 3)) conv=notrunc status=none
printf '\x00\x00\x00' | dd of="$work/wide.bmp" bs=1 seek=$((54 + row + 3 * 12000)) conv=notrunc status=none
one 1 "The picture is too large to turn: its canvas would be 12000 x 12000 pixels, more than the 128 megapixels Quorvix turns" \
  edit "$work/wide.bmp" --rotate 30 -o "$work/turned.bmp"
[ -e "$work/turned.bmp" ] && fail "a turn that could not be made was written"

# Control characters in the words: quoted as escapes, still one line.
err=$("$cli" edit "$sample" $'pic.\n--clear-outside' -o "$work/x.bmp" 2>&1 >/dev/null)
[ "$(printf '%s\n' "$err" | head -1)" = "quorvix-cli: unexpected argument 'pic.\\n--clear-outside'" ] ||
  fail "a line end in a word broke the message: $err"

if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "all bad-input checks passed"
