#!/usr/bin/env bash
# The rules of play as the page's compiler makes them: orbostrak_replay built
# for node (tests/web/CMakeLists.txt) prints what the native tool prints, to
# the byte, for the replay test's scripts, the README's example and a long
# game of random play, states and drawing alike.
#
#   tests/web/replay_check.sh NATIVE_REPLAY NODE_REPLAY_JS
set -euo pipefail

native=${1:?usage: replay_check.sh NATIVE_REPLAY NODE_REPLAY_JS}
node_replay=${2:?usage: replay_check.sh NATIVE_REPLAY NODE_REPLAY_JS}
work=$(mktemp -d /tmp/orbostrak-replay.XXXXXX)
trap 'rm -rf "$work"' EXIT
status=0

# check NAME OPTIONS SCRIPT: both tools on one script, their outputs and
# exit statuses held against each other.
check() {
    local name=$1 options=$2 native_status=0 node_status=0
    printf '%b' "$3" >"$work/script"
    # side by side, one a core
    # shellcheck disable=SC2086 # the options are words
    "$native" $options "$work/script" >"$work/native" 2>&1 &
    local native_run=$!
    # shellcheck disable=SC2086
    node "$node_replay" $options "$work/script" >"$work/node" 2>&1 || node_status=$?
    wait "$native_run" || native_status=$?
    if [[ $native_status != 0 ]]; then
        echo "FAIL replay $name: the native tool ended with $native_status: $(tail -n 3 "$work/native")"
        status=1
    elif [[ $node_status != 0 ]] || ! cmp -s "$work/native" "$work/node"; then
        echo "FAIL replay $name: node's output (status $node_status) differs from the native tool's:"
        diff "$work/native" "$work/node" | head -n 8 | sed 's/^/     /'
        status=1
    else
        echo "ok   replay $name: $(wc -c <"$work/native") bytes alike, $(tail -n 1 "$work/native")"
    fi
}

# Runs of 1 to 150 frames with a random choice of held buttons, up to 20
# minutes of them at 62 frames a second, the same on every machine: this
# one loses its last cannon after eight minutes, 310 points scored.
random_game=$(/usr/bin/python3 -c '
import random
r = random.Random(1)
frames = 0
while frames < 20 * 60 * 62:
    run = r.randint(1, 150)
    held = "".join(b for b in "LRF" if r.random() < 0.4) or "-"
    print(run, held)
    frames += run
')

# The replay test's scripts (tests/replay_test.cpp), with its options.
check "left idle until the formation invades" --state-only '300000 -\n'
check "three cannons lost to bombs" --state-only '100 R\n100000 -\n'
check "right held to the wall" --state-only '1900 R\n'
check "left held to the wall" --state-only '20 L\n'
check "a shot through the first gap" --state-only '40 R\n1 F\n150 -\n'
check "fire under the bombs, with the drawing" '--frames 1500' '100 RF\n# wait under the bombs\n1400 -\n'
check "the same, buttons written apart" '--frames 1500' '100 R F\n1400 -\n'
# The README's example, and random play.
check "the README's example, with the drawing" '' '100 R\n300 F\n2000 -\n'
check "random play to the last cannon" --state-only "$random_game"
check "its first 20000 frames, with the drawing" '--frames 20000' "$random_game"
exit "$status"
