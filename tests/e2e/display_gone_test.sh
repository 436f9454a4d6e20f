#!/usr/bin/env bash
# The X server goes away under the running game, once just as its window has
# opened and once while it shows its first screens: each time the game must end by
# itself within a few seconds, with the status 1 of a program whose display
# is lost, and not hang on in its shut-down. The first time SDL 2 presents
# through OpenGL, as a user may choose; SDL 1.2 ignores that setting.
source "$(dirname "$0")/lib.sh" "$1"
audio_driver=dummy # its thread wakes often, so exit is likely to find it busy

display_goes_away() {
    stop_server
    expect_exit 1 "exit status once the display is gone ($1)" 20
}

start_xvfb
SDL_RENDER_DRIVER=opengl start_game
display_goes_away "window just opened"

# The splash lasts three seconds, which a slow screenshot can miss: the
# title after it does as well.
first_screens() { splash_shown || title_shown; }
start_xvfb
start_game
wait_for first_screens 30
display_goes_away "splash or title shown"
echo "display gone: the game ended by itself both times"
