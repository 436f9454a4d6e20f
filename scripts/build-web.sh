#!/usr/bin/env bash
# Installs what is missing and builds the game's web site into OUT_DIR
# (default build-web/site): index.html, orbostrak.js, orbostrak.wasm, the
# icon orbostrak.png and the licences of all of them (LICENSE.txt, the
# game's; LICENSE-emscripten.txt, of the parts of Emscripten in the program),
# static files for any web server as they are. Every
# build of one commit gives the same bytes, wherever it is built.
#
#   scripts/build-web.sh [OUT_DIR]
#
# The build folder is build-web/wasm in the source tree, or $BUILD_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-web/site}
build=${BUILD_DIR:-$root/build-web/wasm}
"$root/scripts/install-deps.sh" --web

# Emscripten runs its JavaScript tools under the first node on PATH; one
# that is not Debian's does not look for Debian's acorn in its folder.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbostrak_site
mkdir -p "$out"
for file in index.html orbostrak.js orbostrak.wasm orbostrak.png LICENSE.txt LICENSE-emscripten.txt; do
    cp "$build/site/$file" "$out/$file"
done
echo "The site is in $out"
