#!/usr/bin/env bash
# The Windows program played under Wine, from the folder given: the title's
# pixels are exactly those of the title frame that the Linux build's draw
# path puts on SDL's dummy surface; Z starts a game, Right moves the cannon,
# q ends the game with status 0, and so does closing the window; a game
# that ended in order leaves no empty stdout.txt or stderr.txt behind.
#
#   play_test.sh FOLDER TITLE.pgm CLOSE_WINDOW
source "$(dirname "$0")/lib.sh" "$1"
title_frame=$2
close_window=$3

# The exported frame's grays as red, green and blue, as the screenshot has them.
/usr/bin/convert "$title_frame" -depth 8 "rgb:$work/title.rgb"
# The prompt blinks: half of the title's frames show it, as the exported one.
title_as_on_linux() {
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended on its title"
    shoot rgb && cmp -s "$work/shot.rgb" "$work/title.rgb"
}

start_screen
start_windows_game
wait_for prompt_shown 240
wait_until "the title's pixels to match the Linux build's title frame" 60 title_as_on_linux

hold_until z game_shown 120
wait_for cannon_seen 30
start_x=$(cannon_centre)
moved_right() { local x; x=$(cannon_centre) && [[ -n $x ]] && ((x > start_x + 40)); }
hold_until Right moved_right 60
xdotool key q
expect_exit 0 "exit status after q"
for file in stdout.txt stderr.txt; do
    [[ ! -e $game_folder/$file ]] || fail "$file left beside the program after an orderly end"
done

# Closed as a window manager would close it.
start_windows_game
wait_for splash_shown 120
"$close_window" "$window"
expect_exit 0 "exit status after the window was closed"
echo "play: the title as on Linux to the pixel; Z, Right from x $start_x; q and a close end with 0"
