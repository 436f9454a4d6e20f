#!/usr/bin/env bash
# The X server goes away under the running game, once while the window is
# being opened and once on the splash screen: each time the game must end by
# itself within a few seconds, with the status 1 of a program whose display
# is lost, and not hang on in its shut-down. The first time SDL 2 presents
# through OpenGL, as a user may choose; SDL 1.2 ignores that setting.
source "$(dirname "$0")/lib.sh" "$1"

# The splash alone on black, wherever the window is: a few thousand lit
# pixels, not the million of the blue window or none of a black one.
splash_anywhere() {
    local lit
    lit=$(count_lit 0 0 "$screen_w" 1080)
    ((lit > 500 && lit < 100000))
}

# The game started as start_game does, but watched: should it end before its
# window opens, the test says so at once instead of waiting for the window.
open_game() {
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$game_binary" >"$work/game.log" 2>&1 &
    game_pid=$!
    for _ in $(seq 300); do
        xdotool search --class orbostrak >/dev/null 2>&1 && return 0
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window opened: $(cat "$work/game.log")"
        sleep 0.1
    done
    fail "no game window within 30 s"
}

display_goes_away() {
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
    for _ in $(seq 200); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        kill -KILL "$game_pid" # a hung game no longer hears SIGTERM
        fail "the game still ran 20 s after its display went away ($1)"
    fi
    expect_exit 1 "exit status once the display is gone ($1)"
}

start_xvfb
SDL_RENDER_DRIVER=opengl open_game
display_goes_away "window just opened"

start_xvfb
open_game
wait_for splash_anywhere 30
display_goes_away "splash shown"
echo "display gone: the game ended by itself both times"
