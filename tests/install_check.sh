#!/usr/bin/env bash
# cmake --install gives a tree a desktop finds the game in: the stripped
# program in bin/ (games/ for a distribution), a valid desktop entry that
# starts it under its icon, the icon at every size, valid metainfo and a
# compressed manual page, all of the project's version. Exits 77 (skipped)
# where a checking tool is missing.
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli identify man file; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool (scripts/install-deps.sh --tests)"; exit 77; }
done
prefix=$(mktemp -d /tmp/orbostrak-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
cmake --install "$build" --prefix "$prefix" >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p; s/^ORBOSTRAK_SNAPSHOT:STRING=//p' "$build/CMakeCache.txt" | tr -d '\n')
bindir=$([[ -e $prefix/games/orbostrak ]] && echo games || echo bin)
file "$prefix/$bindir/orbostrak" | grep -q 'executable.*, stripped' || fail "no stripped $bindir/orbostrak"

entry=$prefix/share/applications/orbostrak.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x $prefix/$bindir/$exec ]] || fail "the entry's Exec=$exec is not the installed program"
grep -qx 'Icon=orbostrak' "$entry" || fail "the entry names no Icon=orbostrak"

# Square, the size of its directory, transparent at the rim and lit inside.
for size in 16 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/orbostrak.png
    [[ $(identify -regard-warnings -format '%w %h %[fx:p{0,0}.a] %[fx:maxima]' "$prefix/$icon") == "$size $size 0 1" ]] ||
        fail "$icon is not ${size}x${size}, transparent at the corner and lit inside"
done

metainfo=$prefix/share/metainfo/io.github.orbostrak.orbostrak.metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
grep -q '<launchable type="desktop-id">orbostrak.desktop</launchable>' "$metainfo" || fail "no launchable entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

page=$prefix/share/man/man6/orbostrak.6.gz
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >"$prefix/page.txt") || fail "man cannot read $page"
[[ -z $warnings ]] || fail "the manual page formats with warnings: $warnings"
gzip -t "$page" && grep -q "orbostrak $version" "$prefix/page.txt" || fail "the manual page is no gzip of version $version"

((fails == 0)) || exit 1
echo "install: stripped program, desktop entry, icons 16-256, metainfo and manual page of $version"
