#!/usr/bin/env bash
# The sample scan through quorvix-cli: every true point is found, nothing is
# invented, and each centre lies within one pixel of the truth.
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
awk -F, -v dv=0.0208334 -v dc=0.0005001 '
  FNR == 1 { next }
  NR == FNR { sub(/\r$/, "", $2); fv[++n] = $1; fc[n] = $2; next }
  /^#/ { next }
  { tv[++m] = $1; tc[m] = $2 }
  END {
    if (n != m) { printf "found %d points, truth has %d\n", n, m; exit 1 }
    bad = 0
    for (i = 1; i <= m; ++i) {
      best = -1
      for (j = 1; j <= n; ++j) {
        if (used[j]) continue
        ev = fv[j] - tv[i]; ec = fc[j] - tc[i]
        if (ev < 0) ev = -ev; if (ec < 0) ec = -ec
        if (ev <= dv && ec <= dc) { best = j; break }
      }
      if (best < 0) { printf "no found point near true point %s,%s\n", tv[i], tc[i]; bad = 1 } else used[best] = 1
    }
    if (bad) exit 1
    printf "%d of %d true points found within one pixel, none invented\n", n, m
  }' "$work/out.txt" "$root/samples/sextet_truth.csv"
