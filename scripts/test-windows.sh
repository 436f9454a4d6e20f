#!/usr/bin/env bash
# Runs every test of the Windows build under Wine, in a Wine prefix made
# anew for the run: the unit and replay tests built for Windows, through
# ctest with Wine as the emulator; then the program from the zip, unpacked,
# in Xvfb (the title as on Linux, play, quit and close, the message when SDL
# cannot start, the fit to small and scaled screens, the sound through ALSA)
# and from the installer, installed silently and removed again.
#
#   scripts/test-windows.sh [ZIP SETUP]
#
# With ZIP and SETUP, those packages are tested as they are; without, they
# are built first (scripts/build-windows.sh into build-windows/dist).
# ORBOSTRAK_LINUX_BUILD names a Linux build folder with the tools built
# (tools/orbostrak_export, tests/close_window) to take the title frame and
# the window closer from; by default they are built in build-windows/linux.
# Status 0 only when every test passed.
set -euo pipefail
# Wine wants a standard input: where it is closed, as under CI, Wine's own
# connection to its server takes its number and fails.
exec </dev/null
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --windows --windows-tests
work=$(mktemp -d /tmp/orbostrak-wine.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP
source "$root/scripts/windows-parts.sh"
jobs=$(nproc)

if [[ $# -eq 2 ]]; then
    zip=$(realpath "$1") setup=$(realpath "$2")
elif [[ $# -eq 0 ]]; then
    mapfile -t built < <("$root/scripts/build-windows.sh" "$root/build-windows/dist")
    zip=${built[-2]} setup=${built[-1]}
else
    echo "usage: scripts/test-windows.sh [ZIP SETUP]" >&2
    exit 2
fi

# The tests built for Windows, against the same SDL as the packages.
sdl=$(windows_sdl)
gtest=$(windows_gtest)
tests=$root/build-windows/test
windows_game "$tests" "$sdl" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBOSTRAK_WINDOWS_GTEST="$gtest" \
    -DORBOSTRAK_WINDOWS_RUNNER="$root/tests/windows/wine-run.sh"
cmake --build "$tests" -j"$jobs" >/dev/null

# The Linux build's title frame, and the window closer of its end-to-end tests.
linux=${ORBOSTRAK_LINUX_BUILD:-$root/build-windows/linux}
if [[ -z ${ORBOSTRAK_LINUX_BUILD:-} ]]; then
    cmake -S "$root" -B "$linux" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$linux" -j"$jobs" --target orbostrak_export close_window >/dev/null
fi
mkdir -p "$work"/export/{sprites,glyphs,pictures,screens,sounds}
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$linux/tools/orbostrak_export" "$work/export"
title_frame=$work/export/screens/title.pgm

# A prepared Wine prefix is kept, named by Wine's version and the user whose
# folders it links to, and copied for each run: the run's changes stay in
# the copy. One server serves all the unit tests.
wine_key=$( (wine --version; id -un; echo "$HOME") | sha256sum | cut -c1-16)
prepared=$cache/wine-prefix-$wine_key
if [[ ! -f $prepared/system.reg ]]; then
    echo "Preparing a Wine prefix ($prepared)"
    rm -rf "$prepared.part"
    # no Mono or Gecko to offer: the game needs neither
    WINEPREFIX=$prepared.part WINEDLLOVERRIDES='mscoree,mshtml=' wineboot --init >/dev/null 2>&1
    WINEPREFIX=$prepared.part wineserver --wait
    rm -rf "$prepared"
    mv "$prepared.part" "$prepared"
fi
cp -a "$prepared" "$WINEPREFIX"
wineserver --persistent
# Wine's own services start with the first program and outlive it: started
# here, they do not hold on to the output of a test, which ctest reads to
# its end.
wine wineboot >/dev/null 2>&1
export WINEPATH="Z:${sdl//\//\\}\\bin" # SDL.dll for the tests built for Windows

passed=0 failed=0
run() {
    local name=$1
    shift
    echo "== $name"
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)) && echo "FAILED: $name"; fi
}
run "unit and replay tests under Wine" ctest --test-dir "$tests" --output-on-failure -j"$jobs"
# Each test of the program starts Wine's desktop anew, on its own screen.
wineserver -k 2>/dev/null || true
wineserver --wait

unpacked=$work/zip
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
folder=$(dirname "$(find "$unpacked" -name orbostrak.exe | head -n 1)")
windows_text() { [[ -s $1 ]] && ! grep -qv $'\r$' "$1"; }
for file in README.txt LICENSE.txt LICENSE-SDL.txt LICENSE-GCC.txt; do
    run "$file in the zip, with Windows' line ends" windows_text "$folder/$file"
done
run "the message where SDL cannot start" bash "$root/tests/windows/message_test.sh" "$folder"
run "play from the zip" bash "$root/tests/windows/play_test.sh" "$folder" "$title_frame" \
    "$linux/tests/close_window"
run "the window fitted to the screen" bash "$root/tests/windows/fit_test.sh" "$folder"
run "the sound through ALSA" bash "$root/tests/windows/sound_test.sh" "$folder"
run "the installer" bash "$root/tests/windows/installer_test.sh" "$setup"

echo "Windows under Wine: $passed passed, $failed failed"
((failed == 0))
