#!/bin/sh
# The launcher in a throw-away installation tree, with a stand-in program that reports where it
# was started and with which arguments.
#   launcher_test.sh <configured launcher> <launcher dir> <program dir> <data dir>
set -u
launcher=$1 launcherdir=$2 programdir=$3 datadir=$4
root=$(mktemp -d)
trap 'chmod -R u+rwx "$root"; rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$root/prefix/$launcherdir" "$root/prefix/$programdir" "$root/prefix/$datadir/resource" \
         "$root/elsewhere" "$root/bin"
cp "$launcher" "$root/prefix/$launcherdir/tessaly"
printf '#!/bin/sh\npwd\nprintf "%%s\\n" "$@"\n' >"$root/prefix/$programdir/tessaly"
chmod +x "$root/prefix/$launcherdir/tessaly" "$root/prefix/$programdir/tessaly"
# A menu or a PATH may reach the launcher through a link.
ln -s "$root/prefix/$launcherdir/tessaly" "$root/bin/tessaly"
data=$(cd "$root/prefix/$datadir" && pwd -P)

for start in "$root/prefix/$launcherdir/tessaly" "$root/bin/tessaly"; do
  out=$(cd "$root/elsewhere" && "$start" "two words" -x 2>"$root/err")
  [ "$out" = "$(printf '%s\n%s\n%s' "$data" "two words" -x)" ] ||
    fail "$start ran the program as: $out"
  [ -s "$root/err" ] && fail "$start wrote to stderr: $(cat "$root/err")"
done

# The data folder gone, replaced by a file, or (for anyone but root) unreadable.
refuse() {
  out=$(cd "$root/elsewhere" && "$root/bin/tessaly" 2>"$root/err")
  status=$?
  [ $status -eq 1 ] || fail "$1: exit status $status, not 1"
  [ -z "$out" ] || fail "$1: the program ran anyway"
  [ "$(wc -l <"$root/err")" -eq 1 ] || fail "$1: stderr is not one line: $(cat "$root/err")"
  grep -q "$data/resource" "$root/err" || fail "$1: the message does not name the folder"
}
if [ "$(id -u)" -ne 0 ]; then
  chmod 000 "$data/resource"
  refuse "unreadable data folder"
  chmod 755 "$data/resource"
fi
rmdir "$data/resource"
refuse "missing data folder"
touch "$data/resource"
refuse "a file in place of the data folder"

[ $failures -eq 0 ] && echo "launcher: all cases passed"
exit $((failures != 0))
