#!/usr/bin/env bash
# Mouse motion must not crowd a key release out of SDL's small event queue
# while the game is not polling. The game is frozen during the splash, Z is
# pressed, the mouse sweeps the window 300 times, Z is released, and the
# game goes on: it sees the press and the release together, so fire is not
# held, and the title waits for a press. Held, fire would end the splash at
# its first poll and start a game at the title's 120th frame.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
start_game

# Each move waits until the pointer is there: the server merges motions it
# has not yet passed on, and every one of them must reach the game.
moves=()
for i in $(seq 300); do moves+=(mousemove --sync $((win_x + 100 + (i * 37) % 1700)) $((win_y + 100 + (i * 53) % 800))); done
kill -STOP "$game_pid"
xdotool keydown z "${moves[@]}" keyup z
pointer_at 950 490
kill -CONT "$game_pid"

# The prompt blinks 30 frames on, 30 off from the title's 60th frame: after
# five changes the title has run past frame 150, where a game held on fire
# would long have started.
shows() { # $1: 1 for the prompt shown, 0 for hidden
    shoot
    game_shown && fail "a game started: Z stayed held after its release"
    title_shown || return 1
    local on=0
    (($(count_lit 906 550 88 8) > 0)) && on=1
    ((on == $1))
}
for change in 1 2 3 4 5; do
    wait_until "the title's prompt to change, $change of 5" 240 shows $((change % 2))
done
echo "input flood: Z's release kept through a 300-move sweep; the title waits"
