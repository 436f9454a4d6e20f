#!/usr/bin/env bash
# Runs a Windows program under Wine, as ctest's emulator for the tests built
# for Windows: the Wine prefix and the server are the caller's
# (scripts/test-windows.sh starts one of each for the whole run). Wine's own
# chatter is left out; the program's output, its errors joined to it as
# ctest joins them anyway, and its status come through.
#
# Rarely (seen once in CI, not in some 1,300 starts tried since) Wine ends at
# once with a failure before the program has written a byte. Every test
# program writes before it does anything else, so a silent failure is Wine's
# own: it is said, and the program is started once more. A program that
# fails on its own, or fails silently twice, fails the test.
export WINEDEBUG=${WINEDEBUG:--all}
output=$(mktemp)
trap 'rm -f "$output"' EXIT
for start in first second; do
    wine "$@" 2>&1 | tee "$output"
    status=${PIPESTATUS[0]}
    if [[ $status -eq 0 || -s $output ]]; then
        exit "$status"
    fi
    echo "wine-run.sh: Wine ended with status $status before the program wrote anything ($start start)"
done
exit "$status"
