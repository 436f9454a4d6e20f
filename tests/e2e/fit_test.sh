#!/usr/bin/env bash
# The window fits the player's screen. On sdl12-compat the game has the
# library show its 1900x980 picture scaled: shrunk on a screen too small for
# it, blending the pixels it shrinks so that the shot and the bombs, one to
# three pixels wide, still show; twice as large on a screen that holds it
# twice, every game pixel a square of four. A scaling the player set is kept.
# The classic library cannot scale: there the window stays 1900x980 however
# small the screen.
source "$(dirname "$0")/lib.sh" "$1"
stack=$("$(dirname "$2")/sdl_stack")

# A new screen of $1 (WxH) and the game on it, its window expected at $2 x $3.
start_on() {
    stop_server
    screen_size=$1 screen_w=$2 screen_h=$3
    start_xvfb
    start_game
}
quit() {
    xdotool key q
    expect_exit 0 "exit status after q on a $screen_size screen"
}
first_screens_at_70() { first_screens_at 70; }
first_screens_at_200() { first_screens_at 200; }

if [[ $stack == classic* ]]; then
    start_on 1366x768 1900 980 # the screenshot of a window past the screen's edge is cut short
    quit
    echo "fit: $stack cannot scale; the window is 1900x980 on a 1366x768 screen"
    exit 0
fi

# A 1366x768 laptop: 70 %.
start_on 1366x768 1330 686
wait_for first_screens_at_70 120
# The game: the ground line, the separator, the panel's score label and the
# cannon at its place, shrunk with the window. The game draws in black,
# white and one gray of 150: other grays are the blends of the shrinking.
# A new game shows its panel and ground a frame before the rest: the first
# shield tells the rest is there.
game_at_70() {
    (($(count_lit 0 675 1270 9) > 1270 * 9 * 9 / 10 && $(lit_at 70 1820 100 2 700) > 400 &&
        $(lit_at 70 24 923 24 16) > 50))
}
hold_until z game_at_70 120
expect_ge "$(region 0 0 1270 670 | grep -cvxE '0|150|255' || true)" 1000 "blended grays in the play area"
expect_ge "$(lit_at 70 1828 32 40 8)" 20 "SCORE label at 70 %"
cannon_at_70() { (($(lit_at 70 10 955 13 8) >= 10)); } # it blinks as it comes in
wait_for cannon_at_70 30
# Fired again and again until a shot and a bomb are seen in flight together:
# the shot above the cannon, a bomb elsewhere between the formation and the
# shields.
in_flight() {
    shoot || return 1
    (($(lit_at 70 10 560 13 350) > 0 && $(lit_at 70 40 560 1770 350) > 0)) && return 0
    press z
    return 1
}
wait_until "a shot and a bomb in flight at 70 %" 120 in_flight
quit

# The player's own scaling stays.
SDL12COMPAT_WINDOW_SCALING=0.5 start_on 1366x768 950 490
quit

# Full HD holds the window as it is; a 4K screen holds it twice over.
start_on 1920x1080 1900 980
wait_for splash_shown 120
quit
start_on 3840x2160 3800 1960
wait_for first_screens_at_200 120
# Every game pixel a square of four: halved and doubled again, the picture
# is the same.
/usr/bin/convert -size 3800x1960 -depth 8 "gray:$work/shot.gray" -sample 50% -sample 200% \
    -depth 8 "gray:$work/squares.gray"
cmp -s "$work/shot.gray" "$work/squares.gray" || fail "the picture at 200 % is not made of squares of four"
quit
echo "fit: $stack: 1330x686 on 1366x768 with a shot and a bomb seen, 950x490 as the player set, 1900x980 on 1920x1080, 3800x1960 on 3840x2160"
