#!/usr/bin/env bash
# cmake --install gives a tree a desktop finds the game in: the stripped
# program in bin/ (games/ for a distribution), a valid desktop entry that
# starts it under its icon, the icon at every size, valid metainfo and a
# compressed manual page, all of the project's version. Exits 77 (skipped)
# where a checking tool is missing.
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli identify man file strip; do
    command -v "$tool" >/dev/null || {
        echo "SKIP: $tool is missing (scripts/install-deps.sh --tests installs it)"
        exit 77
    }
done
prefix=$(mktemp -d /tmp/orbostrak-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
fails=0
fail() {
    echo "FAIL: $*"
    fails=$((fails + 1))
}
cmake --install "$build" --prefix "$prefix" >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ -n $version ]] || fail "no project version in $build/CMakeCache.txt"
bindir=bin
[[ -e $prefix/games/orbostrak ]] && bindir=games

# The program: the built one, stripped, and it still starts.
program=$prefix/$bindir/orbostrak
if [[ -x $program ]]; then
    file "$program" | grep -q ', stripped' || fail "$bindir/orbostrak is not stripped: $(file -b "$program")"
    strip -o "$prefix/expected" "$build/orbostrak"
    cmp -s "$prefix/expected" "$program" || fail "$bindir/orbostrak is not the built program, stripped"
    rm "$prefix/expected"
    status=0
    out=$(SDL_VIDEODRIVER=bogus "$program") || status=$?
    [[ $status -eq 255 && $out == "SDL initialize error." ]] ||
        fail "the installed program without a video driver: status $status, output '$out'"
else
    fail "no $bindir/orbostrak"
fi

# The desktop entry starts that program under the game's icon.
entry=$prefix/share/applications/orbostrak.desktop
if [[ -f $entry ]]; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
    exec_line=$(sed -n 's/^Exec=//p' "$entry")
    [[ -x $prefix/$bindir/${exec_line%% *} ]] || fail "the entry's Exec=$exec_line is not the installed program"
    grep -qx 'Icon=orbostrak' "$entry" || fail "the entry names no Icon=orbostrak"
    grep -qx 'Categories=Game;ArcadeGame;' "$entry" || fail "the entry is not in Game;ArcadeGame;"
    grep -q '^GenericName=.' "$entry" || fail "the entry has no GenericName"
    grep -q '^Keywords=.' "$entry" || fail "the entry has no Keywords"
else
    fail "no share/applications/orbostrak.desktop"
fi

# The icon at every size: square, the size of its directory, transparent at
# the rim and lit inside, where the invader stands.
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/orbostrak.png
    [[ -f $icon ]] || { fail "no ${size}x${size} icon"; continue; }
    read -r w h corner lit < <(identify -regard-warnings -format '%w %h %[fx:p{0,0}.a] %[fx:maxima]\n' "$icon") ||
        { fail "the ${size}x${size} icon does not read as PNG"; continue; }
    [[ "$w $h" == "$size $size" ]] || fail "the ${size}x${size} icon is ${w}x${h}"
    [[ $corner == 0 ]] || fail "the ${size}x${size} icon's corner is not transparent"
    [[ $lit == 1 ]] || fail "the ${size}x${size} icon has no white in it"
done

# The metainfo: valid, for the installed entry, of this version.
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
if [[ -f ${metainfo[0]} ]]; then
    appstreamcli validate --pedantic --no-net "${metainfo[0]}" >"$prefix/validate.txt" 2>&1 ||
        fail "appstreamcli rejects the metainfo: $(cat "$prefix/validate.txt")"
    grep -q '<launchable type="desktop-id">orbostrak.desktop</launchable>' "${metainfo[0]}" ||
        fail "the metainfo does not launch orbostrak.desktop"
    grep -q "<release version=\"$version\"" "${metainfo[0]}" || fail "the metainfo has no release $version"
else
    fail "no share/metainfo/*.metainfo.xml"
fi

# The manual page: compressed, formatted without a warning, of this version.
page=$prefix/share/man/man6/orbostrak.6.gz
if [[ -f $page ]]; then
    gzip -t "$page" || fail "the manual page is not gzip"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >"$prefix/page.txt")
    [[ -z $warnings ]] || fail "the manual page formats with warnings: $warnings"
    grep -q "orbostrak $version" "$prefix/page.txt" || fail "the manual page is not of version $version"
    grep -q 'EXIT STATUS' "$prefix/page.txt" || fail "the manual page has no EXIT STATUS"
else
    fail "no share/man/man6/orbostrak.6.gz"
fi

((fails == 0)) || exit 1
echo "install: stripped program, desktop entry, icons 16-256, metainfo and manual page of $version"
