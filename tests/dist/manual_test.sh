#!/bin/sh
# The manual page as man shows it: no warnings from groff or man, every section a reader looks
# for, and the installed paths where the package puts them.
#   manual_test.sh <page> <launcher dir> <program dir> <data dir>
set -u
page=$1 launcherdir=$2 programdir=$3 datadir=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The check lintian runs, at the same width.
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns: $warnings"

text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT 'EXIT STATUS' 'SEE ALSO'; do
  printf '%s\n' "$text" | grep -qx "$section" || fail "no $section section"
done
for path in "/usr/$launcherdir/tessaly" "/usr/$programdir/tessaly" \
            "/usr/$programdir/tessaly-music.so" "/usr/$datadir/resource"; do
  printf '%s\n' "$text" | grep -q "^ *$path\$" || fail "FILES does not name $path"
done
for name in DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; do
  printf '%s\n' "$text" | grep -qx " *$name" || fail "ENVIRONMENT does not name $name"
done

[ $failures -eq 0 ] && echo "manual page: all checks passed"
exit $((failures != 0))
