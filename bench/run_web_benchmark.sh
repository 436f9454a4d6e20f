#!/usr/bin/env bash
# Builds the game's web site and plays it in headless Chromium for a number
# of seconds (default 20): the frame rate the page keeps and the processor
# time of its renderer, with the rest of Chromium beside it. Prints figures
# and judges none.
#
#   bench/run_web_benchmark.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --web --web-tests
"$root/scripts/build-web.sh" "$root/build-web/site" >/dev/null
/usr/bin/python3 -B "$root/bench/web_benchmark.py" "$root/build-web/site" "${1:-20}"
