#!/usr/bin/env bash
# Mouse motion must not crowd a key release out of SDL's small event queue
# while the game is not polling. The game is frozen, Right is pressed, the
# mouse sweeps the window 300 times, Right is released, and the game goes
# on: it reads the press and the release within a few frames, so the cannon
# moves a few pixels at most, while the formation marches a whole sweep (80
# frames, 80 pixels for a cannon whose release was lost).
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
start_game

wait_for prompt_shown 60
hold_until z game_shown 30

# The cannon's columns on its base row, or nothing while it blinks in.
cannon_columns() { region 0 962 1820 1 | awk '$1 != 0 { printf "%d ", NR - 1 }'; }
cannon_seen() { shoot && [[ -n $(cannon_columns) ]]; }
wait_until "the cannon to show" 60 cannon_seen
before=$(cannon_columns | cut -d' ' -f1)

moves=()
for i in $(seq 300); do moves+=(mousemove $((win_x + 100 + (i * 37) % 1700)) $((win_y + 100 + (i * 53) % 800))); done
kill -STOP "$game_pid"
xdotool keydown Right "${moves[@]}" keyup Right
pointer_at 950 490
kill -CONT "$game_pid"

# The left end of the bottom row changes once a sweep, in one frame, when
# its invaders step: two changes take at least a sweep of 80 frames.
left_end() { region 0 544 200 8 | md5sum; }
shoot
seen=$(left_end)
for change in 1 2; do
    row_moved() { shoot && [[ $(left_end) != "$seen" ]]; }
    wait_until "the formation's bottom row to step (change $change of 2)" 120 row_moved
    seen=$(left_end)
done
wait_until "the cannon to show after the sweep" 60 cannon_seen
save_png
after=$(cannon_columns | cut -d' ' -f1)
((${after:-$before} - before < 40)) || fail "the cannon moved from x $before to $after: Right stayed held"
echo "input flood: Right's release kept through a 300-move sweep; cannon from x $before to ${after:-?}"
