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
xdotool mousemove 950 490

letters=(a b d e f g h i j k l m n o p r s t u w y)
flood() {
    local chain=(keydown Right) i
    for i in $(seq 0 63); do chain+=(key "${letters[i % ${#letters[@]}]}"); done
    kill -STOP "$game_pid"
    xdotool "${chain[@]}" keyup Right
    [[ -z ${1:-} ]] || "$close_window" "$window"
    kill -CONT "$game_pid"
}

# Screenshots in the window's own coordinates: sdl12-compat centres it.
window_origin=+0+0
shoot() {
    xwd -root -silent >"$work/shot.xwd"
    /usr/bin/convert "xwd:$work/shot.xwd" -crop "1900x980$window_origin" +repage \
        -background black -extent ${screen_w}x1080 -depth 8 "gray:$work/shot.gray"
}
# The game's 1900-pixel window, wherever it stands; SDL may open and drop
# other windows first.
find_window_origin() {
    local deadline=$((SECONDS + 60)) id w x y
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --class orbostrak 2>/dev/null); do
            read -r w x y < <(xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 }
                /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } END { print w, x, y }')
            if [[ $w == 1900 ]]; then
                window=$id
                window_origin=+$x+$y
                return 0
            fi
        done
        sleep 0.1
    done
    fail "no window 1900 pixels wide"
}

# The game's exit status, once it has ended by itself within $1 seconds.
expect_exit_within() {
    local deadline=$((SECONDS + $1)) status
    while kill -0 "$game_pid" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "$3: still running after $1 s"
        sleep 0.1
    done
    wait "$game_pid" && status=0 || status=$?
    game_pid=
    expect_eq "$status" "$2" "$3"
}

# The cannon's left edge on the game screen, empty while it blinks unseen.
cannon_x() { region 0 962 1820 1 | awk '$1 != 0 { print NR - 2; exit }'; }

press_until() {
    local key=$1 what=$2 deadline=$((SECONDS + $3))
    while ((SECONDS < deadline)); do
        press "$key"
        shoot
        $what && return 0
    done
    save_png
    fail "$key pressed for $3 s: still not $what"
}
game_started() { game_shown; }
# Left of where it starts, x 10: a Right still held would keep it from there.
cannon_went_left() {
    local x
    x=$(cannon_x)
    [[ -n $x ]] && ((x < 10))
}

start_game
find_window_origin
wait_for splash_shown 60
flood
press_until z game_started 120
press_until Left cannon_went_left 60
xdotool key q
expect_exit_within 60 0 "exit status after q"

start_game
find_window_origin
wait_for splash_shown 60
flood close
expect_exit_within 60 0 "exit status after the flood and a close"
echo "key flood: the release and the close kept"
