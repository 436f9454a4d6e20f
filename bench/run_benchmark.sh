#!/usr/bin/env bash
# Builds the benchmark, runs it headless, then presents frames in a real X
# window under Xvfb, and prints every figure.
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
DISPLAY=$display SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
    "$bench" --presented "$presented_frames" || status=$?
exit "$status"
