#!/usr/bin/env bash
# cmake --install puts the program in bin/ and its desktop entry in
# share/applications/ under the prefix, and the entry starts that program.
set -euo pipefail
build=$1
prefix=$(mktemp -d /tmp/orbostrak-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
[[ -x $prefix/bin/orbostrak ]] || { echo "FAIL: no bin/orbostrak"; exit 1; }
entry=$prefix/share/applications/orbostrak.desktop
[[ -f $entry ]] || { echo "FAIL: no share/applications/orbostrak.desktop"; exit 1; }
grep -qx 'Exec=orbostrak' "$entry" || { echo "FAIL: the entry does not start orbostrak"; exit 1; }
grep -qx 'Type=Application' "$entry" || { echo "FAIL: the entry is not an application"; exit 1; }
cmp -s "$build/orbostrak" "$prefix/bin/orbostrak" || { echo "FAIL: bin/orbostrak is not the built program"; exit 1; }
echo "install: bin/orbostrak and share/applications/orbostrak.desktop"
