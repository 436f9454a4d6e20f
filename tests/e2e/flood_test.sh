#!/usr/bin/env bash
# A flood while the game reads nothing: Right held, the mouse swept over the
# window 300 times, 64 taps of letters the game ignores, Right let go. The
# game is stopped meanwhile, as good as the splash's first second on any
# machine, so all of it waits at once. Neither the motions nor the letters
# may crowd the release out of SDL's small event queue: the cannon stays put
# when the game starts. The same flood and then the window's close button:
# the game ends.
source "$(dirname "$0")/lib.sh" "$1"
close_window=$2
start_xvfb

# Each move waits until the pointer is there: the server merges motions it
# has not yet passed on, and every one of them must reach the game.
letters=(a b d e f g h i j k l m n o p r s t u w y)
flood() {
    local chain=(keydown Right) i
    for i in $(seq 300); do
        chain+=(mousemove --sync $((win_x + 100 + (i * 37) % 1700)) $((win_y + 100 + (i * 53) % 800)))
    done
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
echo "flood: the release kept through motions and letters, and the close"
