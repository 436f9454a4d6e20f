#!/usr/bin/env bash
# The game on a Wayland desktop, headless weston. With XWayland beside it, as
# on a GNOME or KDE desktop, the game takes X11, which costs a third of what
# a Wayland window does without a graphics card: its window is an X window,
# q and a close end it with status 0. With Wayland alone it opens a Wayland
# window named by the desktop entry, SIGTERM ends it with status 0, and a
# compositor that goes away ends it with status 1, as a lost X server does.
# Both times the splash or the title show in weston's screenshot. Skips (77)
# without weston.
source "$(dirname "$0")/lib.sh" "$1"
close_window=$2
video_driver= # the game's own choice
command -v weston >/dev/null || { echo "SKIP: no weston (scripts/install-deps.sh --tests)"; exit 77; }
first_screens() { splash_shown || title_shown; }
# Whether weston's screenshot shows what the check named by $1 looks for.
shown_in_weston() {
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while waiting for $1 in weston's screenshot"
    shoot_weston && "$1"
}
# Its requests to the compositor are written to wayland.log.
start_wayland_game() {
    env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy WAYLAND_DEBUG=client "$game_binary" \
        >"$work/game.log" 2>"$work/wayland.log" &
    game_pid=$!
}

# Beside XWayland: an X window, found and ended as under Xvfb.
start_weston --xwayland
start_game
wait_until "the splash or the title in weston's screenshot (XWayland)" 60 shown_in_weston first_screens
# XWayland fakes no input without a desktop portal: the key goes to the
# window itself
xdotool key --window "$window" q
expect_exit 0 "exit status after q (XWayland)"
start_game
"$close_window" "$window"
expect_exit 0 "exit status after the window was closed (XWayland)"
stop_server
stack=$("$(dirname "$close_window")/sdl_stack")
if ! wayland_alone_works "$stack"; then
    echo "wayland: an X window beside XWayland, ended by q and a close; no Wayland alone on $stack"
    exit 0
fi

# Wayland alone.
start_weston
start_wayland_game
wait_until "the splash or the title in weston's screenshot (Wayland)" 60 shown_in_weston first_screens
for request in 'set_app_id("orbostrak")' 'set_title("ORBO-STRAK")'; do
    made=$(grep -F ".$request" "$work/wayland.log" || true)
    grep -q 'xdg_toplevel#' <<<"$made" ||
        fail "no $request of the window: $(grep -F xdg_toplevel "$work/wayland.log" | head -5)"
done
kill -TERM "$game_pid"
expect_exit 0 "exit status after SIGTERM (Wayland)"
stop_server
# A compositor that goes away: once while the splash shows, whose first
# second polls no events, once on the title, which polls every frame. The
# game says 1 once SDL has seen it go, and its watchdog says 1 should SDL's
# event dispatch spin on the dead connection.
for screen in splash title; do
    start_weston
    start_wayland_game
    wait_until "the $screen in weston's screenshot (Wayland)" 60 shown_in_weston "${screen}_shown"
    stop_server
    expect_exit 1 "exit status once the compositor is gone on the $screen (Wayland)" 20
done
echo "wayland: an X window beside XWayland, ended by q and a close; a Wayland window named orbostrak, ended by SIGTERM and with status 1 by a lost compositor on the splash and on the title"
