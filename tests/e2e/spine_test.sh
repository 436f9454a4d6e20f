#!/usr/bin/env bash
# The real program in a real X window: a 1900x980 window, the splash picture
# at (870, 462) on black, and q ends it with status 0.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
start_game # fails unless the window reaches 1900x980

wait_for splash_shown 120
others=$(region 870 462 162 58 | grep -cvxE '0|150|255' || true)
expect_eq "$others" 0 "splash pixels outside its three grays"
expect_ge "$(count_gray 870 462 162 58 150)" 1 "splash mid-gray pixels"
expect_eq "$(count_lit 0 0 1900 980)" "$(count_lit 870 462 162 58)" "lit pixels in the window and in the splash"

xdotool key q
expect_exit 0 "exit status after q"
echo "spine: window at $win_x,$win_y, splash and quit as laid out"
