#!/usr/bin/env bash
# The Windows program's window fits the player's screen under Wine: on a
# 1366x768 screen it is shrunk to 0.70 (1330x686), blending the pixels it
# shrinks; on a 1920x1080 screen scaled to 150 % (144 dots an inch) the
# title bar and the task bar take 120 rows, and the window is 0.97
# (1843x950); a factor the player set is kept.
#
#   fit_test.sh FOLDER
source "$(dirname "$0")/lib.sh" "$1"

start_on() {
    stop_server
    screen_size=$1 screen_w=$2 screen_h=$3
    start_screen
    start_windows_game
}
quit() {
    xdotool key q
    expect_exit 0 "exit status after q on a $screen_size screen"
}
title_at_70() { (($(lit_at 70 790 330 320 120) * 10000 / (70 * 70) > 2000)); }

start_on 1366x768 1330 686
wait_for title_at_70 240
# The game draws in black, white and one gray of 150: other grays are the
# blends of the shrinking.
expect_ge "$(region 0 0 1330 686 | grep -cvxE '0|150|255' || true)" 500 "blended grays in the title at 70 %"
quit

SDL12COMPAT_WINDOW_SCALING=0.5 start_on 1366x768 950 490
quit

wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
unscale() { wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true; }
trap 'unscale; cleanup' EXIT
start_on 1920x1080 1843 950
first_screens_at_97() { first_screens_at 97; }
wait_for first_screens_at_97 120
quit
echo "fit: 1330x686 on 1366x768, blended; 950x490 as the player set; 1843x950 on 1920x1080 at 150 %"
