#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: in an
# optimised build against the classic SDL 1.2 it is built with, then the same
# binaries again on sdl12-compat (SDL 1.2 over SDL 2, the SDL 1.2 of today's
# distributions), then once more under AddressSanitizer and UBSan.
# Every pass runs even when an earlier one failed; the status says if any did.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
jobs=$(nproc)
status=0

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-test -j"$jobs"
echo "== classic SDL 1.2"
ctest --test-dir build-test --output-on-failure -j"$jobs" || status=1

# The compatibility layer installs beside the classic library, in a folder
# of its own: the same binaries load it through LD_LIBRARY_PATH.
compat_lib=$(dpkg -L libsdl1.2-compat | grep '/libSDL-1.2.so.0$' | head -n 1)
compat_dir=$(dirname "$compat_lib")
# ldd's whole answer first: grep -q stops reading early, and under pipefail
# the SIGPIPE that ldd then gets would fail the check.
loaded=$(LD_LIBRARY_PATH=$compat_dir ldd build-test/orbostrak)
if ! grep -q "$compat_dir/" <<<"$loaded"; then
    echo "FAIL: the program does not load $compat_lib" >&2
    exit 1
fi
# Installing and packaging load no SDL: they ran once above.
echo "== sdl12-compat ($compat_dir)"
LD_LIBRARY_PATH=$compat_dir ctest --test-dir build-test --output-on-failure -j"$jobs" \
    -E '^(install|package)$' || status=1

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DORBOSTRAK_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
echo "== classic SDL 1.2, AddressSanitizer and UBSan"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" || status=1
exit "$status"
