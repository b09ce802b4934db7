# Pairs the points of an ASCII data file (first file) with the true points of
# a truth file (second file, '#' lines skipped): every true point needs a
# found point within dv across and dc up, and there may be no more found
# points than true ones. Exits 1 on a miss; with -v say=1 tells the count.
FNR == 1 && NR == FNR { next }
NR == FNR { sub(/\r$/, "", $2); fv[++n] = $1; fc[n] = $2; next }
/^#/ { next }
{ tv[++m] = $1; tc[m] = $2 }
END {
  if (n != m) { printf "FAIL: found %d points, truth has %d\n", n, m; exit 1 }
  bad = 0
  for (i = 1; i <= m; ++i) {
    best = -1
    for (j = 1; j <= n; ++j) {
      if (used[j]) continue
      ev = fv[j] - tv[i]; ec = fc[j] - tc[i]
      if (ev < 0) ev = -ev; if (ec < 0) ec = -ec
      if (ev <= dv && ec <= dc) { best = j; break }
    }
    if (best < 0) { printf "FAIL: no found point near true point %s,%s\n", tv[i], tc[i]; bad = 1 } else used[best] = 1
  }
  if (bad) exit 1
  if (say) printf "%d of %d true points found, none invented\n", n, m
}
