#!/usr/bin/env bash
# The benchmark built for Windows, under Wine: paced frames of play in a
# real window under Xvfb, on a 1920x1080 screen (the window as it is) and
# on a 1366x768 one (the window fitted, 0.7). Prints every figure, then a
# line for each screen: drain and window update (median), frame rate, CPU
# of one core. These are Wine's figures, with Wine's own costs in them, not
# Windows'. There is no headless run: it times each frame on the thread's
# processor clock, which Windows (and Wine) count in ticks of 10 to 16 ms,
# too coarse for a frame of some 30 us.
#
#   scripts/bench-windows.sh [PRESENTED_FRAMES]
set -euo pipefail
# Wine wants a standard input: where it is closed, as under CI, Wine's own
# connection to its server takes its number and fails.
exec </dev/null
root=$(cd "$(dirname "$0")/.." && pwd)
presented_frames=${1:-600}
"$root/scripts/install-deps.sh" --windows --windows-tests
work=$(mktemp -d /tmp/orbostrak-wine-bench.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
servers=()
cleanup() {
    wineserver -k 2>/dev/null || true
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
source "$root/scripts/windows-parts.sh"
sdl=$(windows_sdl)
gtest=$(windows_gtest)
build=$root/build-windows/bench
windows_game "$build" "$sdl" -DCMAKE_BUILD_TYPE=Release -DORBOSTRAK_WINDOWS_GTEST="$gtest"
cmake --build "$build" -j"$(nproc)" --target orbostrak_benchmark >/dev/null
cp "$sdl/bin/SDL.dll" "$build/bench/"
bench=$build/bench/orbostrak_benchmark.exe

WINEDLLOVERRIDES='mscoree,mshtml=' wineboot --init >/dev/null 2>&1
wineserver --wait

source "$root/bench/displays.sh"
lines=()
for screen in 1920x1080 1366x768; do
    wineserver --wait # Wine's desktop is made anew for each screen
    start_xvfb "$screen"
    echo
    echo "== presented, Xvfb $screen =="
    out=$(DISPLAY=$display SDL_AUDIODRIVER=dummy wine "$bench" --presented "$presented_frames")
    echo "$out"
    lines+=("$(printf '%-40s %s' "Wine 8, Xvfb $screen" "$(sed -n 's/^  in play: //p' <<<"$out" | tr -d '\r')")")
done
echo
echo "== paced frames of play under Wine, $presented_frames each: drain and window update (median), frame rate, CPU =="
printf '%s\n' "${lines[@]}"
