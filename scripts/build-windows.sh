#!/usr/bin/env bash
# Builds the game for 64-bit Windows and packs it: OUT_DIR/orbostrak-VERSION-win64.zip
# and the installer OUT_DIR/orbostrak-VERSION-setup.exe, whose paths it
# prints last. Installs what is missing, builds SDL 1.2 for Windows from
# Debian's source package once (kept in the cache), then the game.
#
#   scripts/build-windows.sh [OUT_DIR]        (OUT_DIR defaults to dist/)
#
# ORBOSTRAK_VERSION overrides the version (1.0.0+git20261209.abc1234);
# SOURCE_DATE_EPOCH the time the packed files carry (default: the commit's).
# The same commit and time give the same bytes, in any folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/dist}")
"$root/scripts/install-deps.sh" --windows
work=$(mktemp -d /tmp/orbostrak-windows.XXXXXX)
trap 'rm -rf "$work"' EXIT
source "$root/scripts/windows-parts.sh"

version=$(windows_version)
epoch=$(windows_epoch)
sdl=$(windows_sdl)
build=$root/build-windows/release
windows_game "$build" "$sdl" -DCMAKE_BUILD_TYPE=Release -DORBOSTRAK_TESTS=OFF
cmake --build "$build" --target orbostrak -j"$(nproc)" >/dev/null

# The folder as it is packed: the program and the DLL stripped, the texts
# with Windows' line ends, the licences of all that the program carries.
name=orbostrak-$version-win64
stage=$work/$name
mkdir -p "$stage"
# strip stamps its output with SOURCE_DATE_EPOCH, else with the time of day
export SOURCE_DATE_EPOCH=$epoch
"$mingw-strip" -o "$stage/orbostrak.exe" "$build/orbostrak.exe"
"$mingw-strip" -o "$stage/SDL.dll" "$sdl/bin/SDL.dll"
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
sed -e "s/@VERSION@/$version/g" -e "s/@SDL_SOURCE@/$(sed 's/\.dsc$//' "$sdl/source.txt")/g" \
    "$root/dist/windows/README.txt" >"$work/README.txt"
crlf "$work/README.txt" "$stage/README.txt"
crlf "$root/LICENSE" "$stage/LICENSE.txt"
crlf "$sdl/COPYING" "$stage/LICENSE-SDL.txt"
crlf /usr/share/doc/mingw-w64-common/copyright "$stage/LICENSE-mingw-w64.txt"
crlf /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/LICENSE-GCC.txt"
find "$stage" -exec touch -h -d "@$epoch" {} +

mkdir -p "$out"
zip=$out/$name.zip
setup=$out/orbostrak-$version-setup.exe
/usr/bin/python3 "$root/scripts/zip-folder.py" "$stage" "$zip" "$name"
# makensis reads the numbers of the version resource apart from the text
numbers=$(grep -oE '^[0-9]+\.[0-9]+\.[0-9]+' <<<"$version")
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" \
    -DVERSION_NUMBERS="$numbers.0" -DSTAGE="$stage" \
    -DICON="$build/dist/windows/orbostrak.ico" -DOUTFILE="$setup.part" \
    "$root/dist/windows/installer.nsi" >"$work/makensis.log" ||
    { cat "$work/makensis.log" >&2; exit 1; }
mv "$setup.part" "$setup"
echo "$zip"
echo "$setup"
