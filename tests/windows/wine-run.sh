#!/usr/bin/env bash
# Runs a Windows program under Wine, as ctest's emulator for the tests built
# for Windows: the Wine prefix and the server are the caller's
# (scripts/test-windows.sh starts one of each for the whole run). Wine's own
# chatter is left out; the program's output and status come through.
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
