#!/usr/bin/env bash
# Builds the benchmark, runs it headless, then plays paced frames in a real
# window on every SDL 1.2 stack of this system: under Xvfb, on sdl12-compat
# also with the window shrunk to 0.7 and doubled, and under a headless
# weston (with XWayland beside it, and alone) where weston is installed.
# Prints every figure, then a line for each stack and display.
# Usage: bench/run_benchmark.sh [HEADLESS_FRAMES] [PRESENTED_FRAMES]
# The build directory is build-bench in the source tree, or $BUILD_DIR.
# scripts/test-on-debian.sh RELEASE bench/run_benchmark.sh measures another
# Debian release's stack.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
headless_frames=${1:-400000}
presented_frames=${2:-600}

"$root/scripts/install-deps.sh" --tests # Xvfb, weston, and sdl12-compat where it is a second library
source "$root/scripts/sdl-stacks.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orbostrak_benchmark sdl_stack >/dev/null
bench=$build/bench/orbostrak_benchmark

status=0
echo "== headless =="
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$bench" "$headless_frames" || status=$?

work=$(mktemp -d)
servers=()
trap 'for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done; rm -rf "$work"' EXIT
source "$root/bench/displays.sh"
# A headless weston, with $1 (--xwayland) or without; its sockets in
# $wayland and $display.
start_weston() {
    local log=$work/weston-$#.log
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    mkdir -p -m 1777 /tmp/.X11-unix
    wayland=bench-$$-$#
    weston "${weston_headless[@]}" --socket="$wayland" --width=1920 --height=1080 --idle-time=0 "$@" >"$log" 2>&1 &
    servers+=($!)
    local listening="[[ -S $XDG_RUNTIME_DIR/$wayland ]]"
    [[ $# == 0 ]] || listening+=" && grep -q 'xserver listening' '$log'"
    ready "$listening" weston
    display=$(grep -o 'listening on display :[0-9]*' "$log" | grep -o ':[0-9]*' | head -n 1 || true)
}

# Each SDL 1.2 library of the system, each stack once.
mapfile -t folders < <(sdl12_folders)
declare -A seen
stacks=()
for folder in "${folders[@]}"; do
    stack=$(LD_LIBRARY_PATH=$folder "$build/tests/sdl_stack")
    [[ -z ${seen[$stack]:-} ]] || continue
    seen[$stack]=1
    stacks+=("$folder=$stack")
done

lines=()
# Paced frames of play on the stack in folder $1 named $2 shown on $3; the
# rest are settings for the run. A run that gives no figures (a display that
# refused the window) is run once more; a second one fails the whole run,
# and its line says why instead of the figures.
measure() {
    local folder=$1 stack=$2 shown=$3 out figures attempt result
    shift 3
    echo
    echo "-- $stack, $shown"
    for attempt in 1 2; do
        out=$(env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY -u DISPLAY SDL_AUDIODRIVER=dummy \
            LD_LIBRARY_PATH="$folder" "$@" "$bench" --presented "$presented_frames" 2>&1) &&
            result=0 || result=$?
        echo "$out"
        figures=$(sed -n 's/^  in play: //p' <<<"$out")
        if [[ -n $figures ]]; then
            ((result == 0)) || status=$result # the figures of a run that touched the heap
            break
        fi
        echo "(no figures from run $attempt)"
    done
    if [[ -z $figures ]]; then
        status=1
        figures="FAILED: $(tail -n 1 <<<"$out")"
    fi
    lines+=("$(printf '%-52s %-28s %s' "$stack" "$shown" "$figures")")
}

echo
echo "== presented =="
# On sdl12-compat the game shrinks its window to 0.7 on the laptop's
# screen and doubles it on the 4K one.
start_xvfb 1920x1080
full_hd=$display
start_xvfb 1366x768
laptop=$display
start_xvfb 3840x2160
uhd=$display
for entry in "${stacks[@]}"; do
    folder=${entry%%=*} stack=${entry#*=}
    measure "$folder" "$stack" "Xvfb 1920x1080" DISPLAY="$full_hd"
    if [[ $stack != classic* ]]; then
        measure "$folder" "$stack" "Xvfb 1366x768, window 0.7" DISPLAY="$laptop"
        measure "$folder" "$stack" "Xvfb 3840x2160, window 2" DISPLAY="$uhd"
    fi
done
if command -v weston >/dev/null; then
    start_weston --xwayland
    with_xwayland=$wayland xwayland_display=$display
    start_weston
    for entry in "${stacks[@]}"; do
        folder=${entry%%=*} stack=${entry#*=}
        measure "$folder" "$stack" "weston with XWayland" WAYLAND_DISPLAY="$with_xwayland" \
            DISPLAY="$xwayland_display"
        ! wayland_alone_works "$stack" ||
            measure "$folder" "$stack" "weston, Wayland alone" WAYLAND_DISPLAY="$wayland"
    done
fi

echo
echo "== paced frames of play, $presented_frames each: drain and window update (median), frame rate, CPU =="
printf '%s\n' "${lines[@]}"
exit "$status"
