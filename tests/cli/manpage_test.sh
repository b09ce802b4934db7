#!/usr/bin/env bash
# The manual pages against the programs: every option and command --help
# lists is in the page and the page names no other; --version prints the
# version the pages' headers, the newest AppStream release and the package's
# changelog give; the pages format without a warning.
set -euo pipefail
cli=$1
root=$2
gui=$(dirname "$cli")/quorvix
pages=$root/packaging/man
status=0

fail() {
  echo "$*"
  status=1
}

# The page's text with roff's escaped minus signs and font changes taken out,
# and without its examples (which also call other programs).
page_text() {
  sed -e '/^\.EX/,/^\.EE/d' -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' "$1"
}

# Every --long and -x option in the text, one a line.
options_in() {
  grep -oE -- '(^|[^[:alnum:]-])--?[[:alpha:]][[:alnum:]-]*' | grep -oE -- '--?[[:alpha:]][[:alnum:]-]*' |
    { grep -vE -- '^-[[:alpha:]][[:alnum:]-]+$' || true; } | sort -u
}

compare() {
  local what=$1 from_help=$2 from_page=$3 page=$4
  local missing extra
  missing=$(comm -23 <(echo "$from_help") <(echo "$from_page"))
  extra=$(comm -13 <(echo "$from_help") <(echo "$from_page"))
  [ -z "$missing" ] || fail "$page lacks the $what --help lists: $(tr '\n' ' ' <<<"$missing")"
  [ -z "$extra" ] || fail "$page names $what --help does not list: $(tr '\n' ' ' <<<"$extra")"
}

check_page() {
  local program=$1 name=$2
  local page=$pages/$name.1 help
  help=$("$program" --help)
  compare options "$(options_in <<<"$help")" "$(page_text "$page" | options_in)" "$name.1"
  # The commands: the words after the program's name in the usage lines and
  # in the page's synopsis.
  compare commands "$(sed '/^$/q' <<<"$help" | grep -oE "$name [a-z]+" | sort -u || true)" \
    "$(page_text "$page" | sed -n '/^\.SH SYNOPSIS/,/^\.SH /p' | grep -oE "$name [a-z]+" | sort -u || true)" \
    "$name.1"

  local version header
  version=$("$program" --version)
  header=$(grep -m1 '^\.TH' "$page" | grep -oE '"Quorvix [^"]*"' | tr -d '"')
  [ "$version" = "$name ${header#Quorvix }" ] || fail "$name --version says '$version', $name.1 '$header'"
  [ "$version" = "$name $release" ] || fail "$name --version says '$version', the newest release is $release"
  [ "$version" = "$name $changelog" ] || fail "$name --version says '$version', the changelog $changelog"

  local warnings
  warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
  [ -z "$warnings" ] || fail "$name.1 formats with warnings: $warnings"
}

changelog=$(sed -n '1s/^quorvix (\([^)]*\)).*/\1/p' "$root/packaging/changelog")
release=$(grep -m1 -oE '<release version="[^"]+"' "$root/packaging/org.quorvix.quorvix.metainfo.xml" | cut -d'"' -f2)
check_page "$cli" quorvix-cli
check_page "$gui" quorvix
exit $status
