# Shared by the end-to-end tests: a private Xvfb screen, the real program in
# it with its sound written to a file, screenshots of its window read back
# as gray bytes. Every wait has a deadline; past it the test fails saying
# what it waited for, and the exit trap ends the game and the server.
# Usage from a test: source lib.sh "$1" (the path of the orbostrak binary).
# The program runs on whichever SDL 1.2 LD_LIBRARY_PATH selects.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/sdl-stacks.sh"

game_binary=$1
work=$(mktemp -d /tmp/orbostrak-e2e.XXXXXX)
screen_w=1900 # screenshots hold the window only, in window coordinates:
screen_h=980  # the window's size, as the test expects it to open
audio_driver=disk # written to sound.raw
video_driver=x11  # none: the game and SDL choose
game_pid=
xvfb_pid=
window=
win_x=0
win_y=0

# A hung or stopped game hears only SIGKILL. Under set -e a failing kill (of
# a game that has ended already) would end the trap there, leaving the
# server running: every step here may fail.
cleanup() {
    if [[ -n $game_pid ]]; then kill -KILL "$game_pid" 2>/dev/null || true; fi
    stop_server
    rm -rf "$work"
}
# Ends the display server (Xvfb or weston), if one runs, and waits for it.
stop_server() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP # a test stopped from outside cleans up too

# Fails the test, keeping the last screenshot as a PNG in /tmp.
fail() {
    echo "FAIL: $*" >&2
    [[ -f $work/shot.gray ]] && /usr/bin/convert -size ${screen_w}x${screen_h} -depth 8 "gray:$work/shot.gray" \
        "/tmp/orbostrak-e2e-failed-$(basename "$0" .sh).png"
    [[ -s $work/game.log ]] && sed 's/^/game: /' "$work/game.log" >&2
    [[ -s $work/xvfb.log ]] && sed 's/^/Xvfb: /' "$work/xvfb.log" >&2
    exit 1
}

# Runs the command $3... until it succeeds; after $2 seconds the test fails
# waiting for $1. The command must not hang by itself.
wait_until() {
    local what=$1 limit=$2 deadline=$((SECONDS + $2))
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out after $limit s waiting for $what"
        sleep 0.05
    done
}

# The server picks a free display itself and writes its number once it
# accepts connections; -noreset keeps it up when a probing client leaves.
# The file is emptied here, not by the server's own redirection: that one
# runs in the started process, maybe only after the first look, which would
# then read the number of the server before, which may be the same number,
# not yet taken up again.
start_xvfb() {
    : >"$work/display"
    Xvfb -displayfd 3 -noreset -screen 0 "${screen_size:-1920x1080}x24" -nolisten tcp \
        3>>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    xvfb_ready() {
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended: $(cat "$work/xvfb.log")"
        grep -q '^[0-9]' "$work/display"
    }
    wait_until "Xvfb to report its display" 60 xvfb_ready
    export DISPLAY=:$(head -1 "$work/display")
}

# A headless Wayland desktop instead of an X server: weston, with XWayland
# beside it when $1 is --xwayland (then DISPLAY names its X server). Its
# --debug lets weston-screenshooter take screenshots. The exit trap ends it
# as it ends an Xvfb.
start_weston() {
    export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=orbostrak-$$
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    mkdir -p -m 1777 /tmp/.X11-unix # XWayland's sockets; a minimal system has no folder yet
    weston "${weston_headless[@]}" --socket="$WAYLAND_DISPLAY" --width=1920 --height=1080 \
        --idle-time=0 --debug "$@" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    weston_ready() {
        kill -0 "$xvfb_pid" 2>/dev/null || fail "weston ended: $(cat "$work/xvfb.log")"
        [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] || return 1
        [[ $* != *--xwayland* ]] || grep -q 'xserver listening on display' "$work/xvfb.log"
    }
    wait_until "weston to listen" 60 weston_ready "$@"
    unset DISPLAY
    [[ $* != *--xwayland* ]] || export DISPLAY=$(grep -o 'listening on display :[0-9]*' "$work/xvfb.log" | grep -o ':[0-9]*' | head -1)
}

# weston's screenshot of its whole screen, cut to the game's window wherever
# the shell placed it: the bottom right of the box that holds every black
# pixel, since black in the title bar above it may widen the box upward and
# leftward.
shoot_weston() {
    rm -f "$work"/wayland-screenshot*.png
    (cd "$work" && weston-screenshooter >/dev/null 2>&1) || return 1
    local shot box
    shot=$(ls "$work"/wayland-screenshot*.png 2>/dev/null | head -1)
    [[ -n $shot ]] || return 1
    box=$(/usr/bin/convert "$shot" -alpha off -fill white +opaque black -trim -format '%w %h %X %Y' info: 2>/dev/null |
        awk -v w="$screen_w" -v h="$screen_h" '{ if ($1 >= w && $2 >= h) print w "x" h "+" $3 + $1 - w "+" $4 + $2 - h }')
    [[ -n $box ]] || return 1
    /usr/bin/convert "$shot" -alpha off -crop "$box" +repage -colorspace gray -depth 8 "gray:$work/shot.gray"
}

# The game's window at its full size (screen_w by screen_h); SDL opens it
# small and resizes it, and where it stands depends on the library (0,0 or
# centred).
window_placed() {
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window opened"
    local id geometry
    for id in $(xdotool search --class orbostrak 2>/dev/null); do
        geometry=$(xwininfo -id "$id" 2>/dev/null | awk '
            /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
            /Width:/ { w = $NF } /Height:/ { h = $NF } /Map State: IsViewable/ { v = 1 }
            END { if (v) print x, y, w, h }')
        if [[ $geometry == *" $screen_w $screen_h" ]]; then
            window=$id
            read -r win_x win_y _ <<<"$geometry"
            return 0
        fi
    done
    return 1
}

# Starts the game and finds its window; the pointer goes to its middle, so
# the keyboard focus, which follows the pointer, is on the game.
start_game() {
    env -u SDL_VIDEODRIVER ${video_driver:+SDL_VIDEODRIVER=$video_driver} SDL_AUDIODRIVER=$audio_driver \
        SDL_DISKAUDIOFILE="$work/sound.raw" SDL_DISKAUDIODELAY=250 "$game_binary" >"$work/game.log" 2>&1 &
    game_pid=$!
    wait_until "a ${screen_w}x$screen_h game window" 120 window_placed
    # weston's XWayland fakes no pointer: its focus is weston's
    [[ -n ${WAYLAND_DISPLAY:-} ]] || xdotool mousemove $((win_x + screen_w / 2)) $((win_y + screen_h / 2))
}

# Screenshot of the window as one gray byte per pixel, rows of 1900, in
# shot.gray; `shoot rgb` keeps its red, green and blue, in shot.rgb.
shoot() {
    local format=${1:-gray}
    xwd -root -silent >"$work/shot.xwd"
    /usr/bin/convert "xwd:$work/shot.xwd" -crop "${screen_w}x${screen_h}+$win_x+$win_y" +repage \
        -depth 8 "$format:$work/shot.$format"
}

pixel() { od -An -tu1 -j $(($2 * screen_w + $1)) -N 1 "$work/shot.gray" | tr -d ' '; }

# The gray bytes of a rectangle x y w h, one value per line.
region() {
    /usr/bin/convert -size ${screen_w}x${screen_h} -depth 8 "gray:$work/shot.gray" \
        -crop "$3x$4+$1+$2" +repage -depth 8 gray:- | od -An -tu1 -v | tr -s ' ' '\n' | sed '/^$/d'
}
count_gray() { region "$1" "$2" "$3" "$4" | grep -cx "$5" || true; }
count_lit() { region "$1" "$2" "$3" "$4" | grep -cvx 0 || true; }

# Waits up to $2 seconds until the check $1 holds on a fresh screenshot.
wait_for() { wait_until "$1" "$2" on_screen "$1"; }
on_screen() {
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while waiting for $1"
    shoot && "$1"
}
# A key held until the game has had time to see it: the press ends only
# once a screenshot shows $2 (a check) true; the test fails after $3 seconds.
hold_until() {
    xdotool keydown "$1"
    wait_until "$2 while $1 is held" "$3" on_screen "$2"
    xdotool keyup "$1"
}
# Pressed and released: seen by the game only if a poll falls in between,
# so callers check the effect and press again.
press() { xdotool keydown "$1" sleep 0.1 keyup "$1"; }

expect_eq() { [[ "$1" == "$2" ]] || fail "$3: got $1, expected $2"; }
expect_ge() { (($1 >= $2)) || fail "$3: got $1, expected at least $2"; }

# The game's exit status, once it has ended by itself; after $3 seconds
# (default 60) the game is killed and the test fails.
expect_exit() {
    game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
    wait_until "the game to end ($2)" "${3:-60}" game_ended
    local status
    wait "$game_pid" && status=0 || status=$?
    game_pid=
    expect_eq "$status" "$1" "$2"
}

# The cannon is the widest run of lit columns between the shields and the
# ground; bombs there are three columns wide. Its centre, or nothing while
# it blinks.
cannon_centre() {
    region 0 955 1820 8 | awk '
        { if ($1 != 0) lit[(NR - 1) % 1820] = 1 }
        END {
            for (x = 0; x <= 1820; x++)
                if (x in lit) { if (!run) start = x; run++ }
                else { if (run > best) { best = run; at = start }; run = 0 }
            if (best > 5) print at + int(best / 2)
        }'
}
cannon_seen() { [[ -n $(cannon_centre) ]]; }
# Right (or left, for a negative $1) for the time the cannon takes to cross
# $1 pixels at 62 a second, and at least $2 seconds.
nudge() {
    local key=Right
    (($1 < 0)) && key=Left
    xdotool keydown $key sleep "$(awk "BEGIN { d = ($1 < 0 ? -($1) : $1) / 62; print (d > $2 ? d : $2) }")" keyup $key
}

# The largest distance of a sample on standard input from the unsigned
# 8-bit silence of 128; loudest_sample, of the sound the game wrote.
loudest() {
    od -An -tu1 -v | tr -s ' ' '\n' | sed '/^$/d' |
        awk 'BEGIN { m = 0 } { d = $1 - 128; if (d < 0) d = -d; if (d > m) m = d } END { print m }'
}
loudest_sample() { loudest <"$work/sound.raw"; }

# What the screens look like at the places the layout fixes.
splash_shown() { (($(count_lit 870 462 162 58) > 500)) && (($(count_lit 0 0 860 980) == 0)); }
title_shown() { (($(count_lit 790 330 320 120) > 2000)) && [[ $(pixel 1820 500) == 0 ]]; }
# A new game shows its panel and ground one frame before the rest: the game
# is up once the first shield stands too.
game_shown() {
    [[ $(pixel 1820 500) == 255 && $(pixel 1821 10) == 255 && $(pixel 500 970) == 255 &&
        $(pixel 24 923) == 255 ]]
}
# Lit pixels of a rectangle given in game coordinates, in a window shown at
# $1 percent.
lit_at() { count_lit $(($2 * $1 / 100)) $(($3 * $1 / 100)) $(($4 * $1 / 100)) $(($5 * $1 / 100)); }
# The splash or the title after it, shown at $1 percent: the splash's three
# seconds alone a slow screenshot can miss.
first_screens_at() {
    (($(lit_at "$1" 870 462 162 58) * 10000 / ($1 * $1) > 500)) ||
        (($(lit_at "$1" 790 330 320 120) * 10000 / ($1 * $1) > 2000))
}
# The title's prompt, once shown, tells that the title listens to fire.
prompt_shown() { title_shown && (($(count_lit 906 550 88 8) > 40)); }
