#!/usr/bin/env bash
# Installs what is missing, builds the game's web site (or takes SITE_DIR as
# it is, such as an unpacked release), and runs every web test: the page in
# headless Chromium (the desktop's own splash and title frames to the pixel,
# a game started, the cannon moved, a shot heard, q to leave, the canvas
# fitted to the window), the title in headless Firefox ESR, and the replay
# built for node held against the native replay tool. Every test runs even
# when an earlier one failed; the status says if any did.
#
#   scripts/test-web.sh [SITE_DIR]
#
# The builds are in build-web/ in the source tree: wasm/ for the page's
# compiler, native/ for the tools the page is held against.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-web
jobs=$(nproc)
"$root/scripts/install-deps.sh" --web --web-tests

if [[ $# -ge 1 ]]; then
    site=$(cd "$1" && pwd)
else
    site=$build/site
    "$root/scripts/build-web.sh" "$site" >/dev/null
fi
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs # as in build-web.sh
cmake -S "$root" -B "$build/wasm" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake" >/dev/null
cmake --build "$build/wasm" -j"$jobs" --target orbostrak_replay_node >/dev/null
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/native" -j"$jobs" --target orbostrak_replay orbostrak_export >/dev/null

# The desktop's own frames of the screens, drawn on SDL's dummy surface.
work=$(mktemp -d /tmp/orbostrak-web.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/{sprites,glyphs,pictures,screens,sounds}
"$build/native/tools/orbostrak_export" "$work" >/dev/null

status=0
echo "== the licences in the site"
if cmp -s "$root/LICENSE" "$site/LICENSE.txt" && grep -qi 'emscripten' "$site/LICENSE-emscripten.txt" &&
    grep -q 'musl' "$site/LICENSE-emscripten.txt"; then
    echo "ok   licences: the game's, and Emscripten's with its C library's"
else
    echo "FAIL licences: the site lacks LICENSE.txt, the game's, or LICENSE-emscripten.txt"
    status=1
fi
# -B: no compiled modules left in the source tree
echo "== the page in headless Chromium"
/usr/bin/python3 -B "$root/tests/web/page_test.py" "$site" "$work/screens" || status=1
echo "== the title in headless Firefox"
/usr/bin/python3 -B "$root/tests/web/firefox_test.py" "$site" "$work/screens" || status=1
echo "== the replay for node against the native tool"
bash "$root/tests/web/replay_check.sh" "$build/native/tools/orbostrak_replay" \
    "$build/wasm/tests/web/orbostrak_replay_node.js" || status=1
exit "$status"
