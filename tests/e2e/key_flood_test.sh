#!/usr/bin/env bash
# A flood of keys while the game reads nothing: Right held, 64 taps of
# letters the game ignores, Right let go. The game is stopped meanwhile, as
# good as the splash's first second on any machine, so all of it waits at
# once. The release must not be crowded out of the event queue: the cannon
# stays put when the game starts. The same flood and then the window's
# close button: the game ends.
source "$(dirname "$0")/lib.sh" "$1"
close_window=$2
start_xvfb

letters=(a b d e f g h i j k l m n o p r s t u w y)
flood() {
    local chain=(keydown Right) i
    for i in $(seq 0 63); do chain+=(key "${letters[i % ${#letters[@]}]}"); done
    kill -STOP "$game_pid"
    xdotool "${chain[@]}" keyup Right
    [[ -z ${1:-} ]] || "$close_window" "$window"
    kill -CONT "$game_pid"
}

# Left of where it starts, centred on x 16: a Right still held would keep
# it from there.
cannon_went_left() {
    local x
    x=$(cannon_centre)
    [[ -n $x ]] && ((x < 16))
}

start_game
wait_for splash_shown 60
flood
hold_until z game_shown 120
hold_until Left cannon_went_left 60
xdotool key q
expect_exit 0 "exit status after q" 60

start_game
wait_for splash_shown 60
flood close
expect_exit 0 "exit status after the flood and a close" 60
echo "key flood: the release and the close kept"
