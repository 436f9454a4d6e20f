#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORBOSTRAK_TESTS=OFF >/dev/null
cmake --build build --target orbostrak -j"$(nproc)"
exec build/orbostrak
