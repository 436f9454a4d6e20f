#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test of the
# three platforms, or of those named: scripts/test.sh [linux] [web] [windows]
#
# linux: in an optimised build once on each SDL 1.2 of the system (the one
# the program loads, and sdl12-compat beside a classic SDL 1.2 where it is
# installed there), then once more under AddressSanitizer and UBSan on the
# first. web: the page in headless browsers and the replay built for the
# web. windows: the Windows build under Wine.
# Every pass runs even when an earlier one failed; the status says if any did.
set -euo pipefail
cd "$(dirname "$0")/.."
parts=("${@:-linux web windows}")
read -ra parts <<<"${parts[*]}"
status=0
for part in "${parts[@]}"; do
    case $part in
    linux | web | windows) ;;
    *) echo "test: no such part: $part (linux, web, windows)" >&2; exit 2 ;;
    esac
done
wanted() { [[ " ${parts[*]} " == *" $1 "* ]]; }

linux_suite() {
    scripts/install-deps.sh --tests
    jobs=$(nproc)

    cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build-test -j"$jobs"

    # A pass for each SDL 1.2 library; a folder holding a library already
    # tested is passed over, as on a system whose SDL 1.2 is sdl12-compat already.
    source scripts/sdl-stacks.sh
    mapfile -t folders < <(sdl12_folders)
    declare -A tested
    first=
    for folder in "${folders[@]}"; do
        stack=$(LD_LIBRARY_PATH=$folder build-test/tests/sdl_stack)
        if [[ -n $folder ]]; then
            loaded=$(LD_LIBRARY_PATH=$folder ldd build-test/orbostrak)
            grep -q "$folder/" <<<"$loaded" || { echo "FAIL: the program does not load SDL 1.2 from $folder" >&2; exit 1; }
        fi
        if [[ -n ${tested[$stack]:-} ]]; then
            echo "== $stack again in $folder: tested above"
            continue
        fi
        tested[$stack]=1
        echo "== $stack${folder:+ ($folder)}"
        if [[ -z $first ]]; then
            first=$stack
            ctest --test-dir build-test --output-on-failure -j"$jobs" || status=1
        else
            # Installing and packaging load no SDL: they ran once above.
            LD_LIBRARY_PATH=$folder ctest --test-dir build-test --output-on-failure -j"$jobs" \
                -E '^(install|package)$' || status=1
        fi
    done

    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DORBOSTRAK_SANITIZE=ON >/dev/null
    cmake --build build-sanitize -j"$jobs"
    echo "== $first, AddressSanitizer and UBSan"
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-sanitize --output-on-failure -j"$jobs" || status=1
}

if wanted linux; then
    linux_suite
    # the Windows tests take their Linux frames from this build's tools
    export ORBOSTRAK_LINUX_BUILD=$PWD/build-test
fi
if wanted web; then
    echo "== the web"
    scripts/test-web.sh || status=1
fi
if wanted windows; then
    echo "== Windows, under Wine"
    scripts/test-windows.sh || status=1
fi
exit "$status"
