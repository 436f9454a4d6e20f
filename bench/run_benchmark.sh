#!/usr/bin/env bash
# Builds the benchmark, runs it headless, then presents frames in a real X
# window under Xvfb, on the classic SDL 1.2 and again on sdl12-compat (SDL 1.2
# over SDL 2) where it is installed, and prints every figure, then the two
# libraries' presented frames side by side.
# Usage: bench/run_benchmark.sh [HEADLESS_FRAMES] [PRESENTED_FRAMES]
# The build directory is build-bench in the source tree, or $BUILD_DIR.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
headless_frames=${1:-400000}
presented_frames=${2:-600}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orbostrak_benchmark >/dev/null
bench=$build/bench/orbostrak_benchmark

status=0
echo "== headless =="
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$bench" "$headless_frames" || status=$?

echo
echo "== presented, Xvfb 1920x1080x24 =="
if ! command -v Xvfb >/dev/null; then
    echo "Xvfb is missing; install it with: scripts/install-deps.sh --tests"
    exit 1
fi
# Xvfb picks a free display itself and writes its number once it is ready.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
    [[ -s $display_file ]] && break
    sleep 0.1
done
if [[ ! -s $display_file ]]; then
    echo "Xvfb did not start"
    exit 1
fi
display=:$(head -n 1 "$display_file")
echo "display $display"

# The same binary on each library: the compatibility layer lives in its own
# folder beside the classic library.
compat_lib=$(dpkg -L libsdl1.2-compat 2>/dev/null | grep '/libSDL-1.2.so.0$' | head -n 1 || true)
libraries=(classic)
[[ -n $compat_lib ]] && libraries+=(sdl12-compat)
declare -A fps cpu
for library in "${libraries[@]}"; do
    library_path=
    [[ $library == sdl12-compat ]] && library_path=$(dirname "$compat_lib")
    echo
    echo "-- $library"
    out=$(DISPLAY=$display SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LD_LIBRARY_PATH=$library_path \
        "$bench" --presented "$presented_frames") || status=$?
    echo "$out"
    fps[$library]=$(awk -F': ' '/frames per second/ { print $2 }' <<<"$out")
    cpu[$library]=$(awk '/process CPU/ { print $(NF - 6) }' <<<"$out")
done

echo
echo "== presented frames side by side, $presented_frames frames =="
printf '%-14s %18s %18s\n' library "frames per second" "CPU of one core"
for library in "${libraries[@]}"; do
    printf '%-14s %18s %18s\n' "$library" "${fps[$library]:-?}" "${cpu[$library]:-?}"
done
[[ -n $compat_lib ]] || echo "(sdl12-compat is not installed: apt-get install libsdl1.2-compat)"
exit "$status"
