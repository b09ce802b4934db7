#!/usr/bin/env bash
# quorvix-cli's exit statuses and one-line messages.
set -uo pipefail
cli=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect STATUS MESSAGE-FRAGMENT ARGS...
expect() {
  local want=$1 fragment=$2
  shift 2
  local err status
  err=$("$cli" "$@" 2>&1 >/dev/null)
  status=$?
  if [ "$status" -ne "$want" ] || ! grep -qF -- "$fragment" <<<"$err"; then
    echo "FAIL: $* -> status $status (want $want), message: $err"
    failures=$((failures + 1))
  fi
}

sample=$root/samples/sextet.bmp
printf 'not a picture' > "$work/bad.bmp"
expect 0 "" --help
expect 2 "no command"
expect 2 "unknown option '--bogus'" extract "$sample" --unit 0,35,10,45 --bogus
expect 2 "four integers" extract "$sample" --unit 1,2,3
expect 2 "covers no pixel" extract "$sample" --unit 2000,0,2100,10
expect 2 "covers no pixel" edit "$sample" --crop -20,-20,-10,-10 -o "$work/x.bmp"
expect 2 "whole number" edit "$sample" --grey-limit abc -o "$work/x.bmp"
expect 1 "missing.bmp" extract "$work/missing.bmp" --unit 0,0,5,5
expect 2 "option --page needs a whole number of at least 1, not '0'" extract "$sample" --unit 0,35,10,45 --page 0
expect 2 "option --dpi needs a whole number from 10 to 2400, not '5'" edit "$sample" --dpi 5 -o "$work/x.bmp"
expect 1 "bad.bmp" extract "$work/bad.bmp" --unit 0,0,5,5
expect 1 "cannot write the file" extract "$sample" --unit 0,35,10,45 -o "$work/no/such/dir/out.txt"
expect 1 "out.bmp" edit "$sample" --reduce -o "$work/no/such/dir/out.bmp"
expect 0 "no data point found" extract "$sample" --unit 0,35,10,45 --match 101 -o "$work/none.txt"
[ -e "$work/none.txt" ] && { echo "FAIL: a run without points wrote a file"; failures=$((failures + 1)); }

# Standard output carries exactly the file's bytes; a leading minus is a value.
"$cli" extract "$sample" --unit=0,35,10,45 --vmin=-10 --vmax 10 --min 0.82 --max=1.02 >"$work/stdout.txt" 2>/dev/null
"$cli" extract "$sample" --unit 0,35,10,45 --vmin -10 --vmax=10 --min=0.82 --max 1.02 -o "$work/file.txt"
cmp -s "$work/stdout.txt" "$work/file.txt" || { echo "FAIL: standard output differs from -o"; failures=$((failures + 1)); }

# The picture is reduced before the unit is taken: half the size, same count.
"$cli" edit "$sample" --reduce --crop 0,0,239,99 -o "$work/small.bmp" || failures=$((failures + 1))
[ "$(head -c 2 "$work/small.bmp")" = "BM" ] || { echo "FAIL: edit wrote no BMP"; failures=$((failures + 1)); }

if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "all command-line checks passed"
