#!/usr/bin/env bash
# unpacked_package_test.sh PACKAGE_DIR: unpacks the Debian package built by ./quickstart.sh package and
# runs its tool as a user who never started the program: with a new home, no --dir, in a folder without
# a recipe book. The tool must list the shipped recipes and leave the book in the home's data folder.
# Exit status 77 (skipped) when no package was built.
set -euo pipefail
package_dir=$1
shopt -s nullglob
debs=("$package_dir"/*.deb)
if [ ${#debs[@]} -eq 0 ]; then
  echo "SKIPPED: no package in $package_dir (./quickstart.sh package builds one)"
  exit 77
fi
deb=$(ls -t "${debs[@]}" | head -n 1)
echo "Package: $deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

for file in usr/bin/zestovar usr/bin/zestovar-tool usr/share/zestovar/Zestovar.dat \
  usr/share/man/man1/zestovar-tool.1.gz usr/share/doc/zestovar/copyright; do
  [ -s "$work/root/$file" ] || fail "the package lacks $file"
done

mkdir "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
if ! listed=$(env -u XDG_DATA_HOME HOME="$work/home" "$work/root/usr/bin/zestovar-tool" list Suppe); then
  fail "zestovar-tool list Suppe failed"
fi
echo "$listed"
grep -qx "Borschtsch mit saurer Sahne" <<<"$listed" || fail "the shipped soups are not listed"
[ -s "$work/home/.local/share/zestovar/Zestovar.dat" ] || fail "no recipe book in the new home's .local/share/zestovar"
[ ! -e "$work/elsewhere/Zestovar.dat" ] || fail "the tool laid a recipe book into the current folder"
echo "The unpacked tool listed the shipped recipes from $work/home/.local/share/zestovar"
