#!/usr/bin/env bash
# `cmake --install` into a scratch prefix gives exactly the listed files, with their modes,
# and the defaults are the content the build made.
set -euo pipefail
build=$1
prefix=$2
here=$(cd "$(dirname "$0")" && pwd)
list=$here/../../packaging/installed-files.txt

rm -rf "$prefix"
# The package is built under the usual umask; a stricter one must not leak into the modes.
umask 022
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=$(grep -v '^#' "$list" | sort -k2)
actual=$(cd "$prefix" && find . -type f -printf '%m %P\n' | sort -k2)
if [[ "$expected" != "$actual" ]]; then
  echo "installed files differ from $list:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

odd=$(cd "$prefix" && find . ! -type f ! -type d -printf '%P\n'; find . -type d ! -perm 755 -printf '%m %P\n')
if [[ -n "$odd" ]]; then
  echo "unexpected entries (links, or directories not 755):"
  echo "$odd"
  exit 1
fi

for f in kelmora.db zamen.db res.res help.txt; do
  cmp "$build/data/$f" "$prefix/share/games/kelmora/$f"
done
echo "install tree: $(echo "$actual" | wc -l) files as listed"
