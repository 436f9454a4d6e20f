#!/usr/bin/env bash
# The splash does not look at the input for its first 61 frames. A mouse
# sweeping over the window meanwhile must not crowd a key release out of
# the event queue: Z pressed and released in that stretch is not held, so
# the splash runs its full three seconds and the title waits for a press.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
xdotool mousemove 950 490
start_game


moves=()
for i in $(seq 300); do moves+=(mousemove $((100 + (i * 37) % 1700)) $((100 + (i * 53) % 800))); done
t0=$(date +%s%N)
xdotool keydown z "${moves[@]}" keyup z
took_ms=$((($(date +%s%N) - t0) / 1000000))
((took_ms < 900)) || fail "the sweep took $took_ms ms, longer than the splash's deaf stretch"

sleep 1.5
shoot
splash_shown || { save_png; fail "the splash ended early: the release of Z was lost"; }
wait_for title_shown 5
sleep 3
shoot
save_png
game_shown && fail "a game started: Z stayed held after its release"
title_shown || fail "the title is gone"
echo "input flood: release kept through a ${took_ms} ms mouse sweep of 300 moves"
