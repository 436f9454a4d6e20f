# Shared by the end-to-end tests: a private Xvfb screen, the real program in
# it with its sound written to a file, screenshots read back as gray bytes.
# Usage from a test: source lib.sh "$1" (the path of the orbostrak binary).
set -euo pipefail

game_binary=$1
work=$(mktemp -d /tmp/orbostrak-e2e.XXXXXX)
screen_w=1920
game_pid=
xvfb_pid=

cleanup() {
    [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -f $work/shot.png ]] && cp "$work/shot.png" "/tmp/orbostrak-e2e-failed-$(basename "$0" .sh).png"
    exit 1
}

# A free display number: the lock files of running servers tell.
start_xvfb() {
    local n=70
    while [[ -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    export DISPLAY=:$n
    Xvfb "$DISPLAY" -screen 0 ${screen_w}x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "Xvfb did not start on $DISPLAY"
}

# Starts the game; its window is found by its class, the program's name.
start_game() {
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" \
        SDL_DISKAUDIODELAY=250 "$game_binary" >"$work/game.log" 2>&1 &
    game_pid=$!
    window=$(xdotool search --sync --class orbostrak | head -1)
    [[ -n $window ]] || fail "no game window"
}

# Screenshot of the whole screen as one gray byte per pixel, rows of 1920.
# A later analysis can look at an earlier screenshot kept by keep_shot.
shoot() {
    xwd -root -silent >"$work/shot.xwd"
    /usr/bin/convert "xwd:$work/shot.xwd" -depth 8 "gray:$work/shot.gray"
}
keep_shot() { cp "$work/shot.gray" "$work/$1.gray"; }
use_shot() { cp "$work/$1.gray" "$work/shot.gray"; }
save_png() { /usr/bin/convert "xwd:$work/shot.xwd" "$work/shot.png"; }

pixel() { od -An -tu1 -j $(($2 * screen_w + $1)) -N 1 "$work/shot.gray" | tr -d ' '; }

# The gray bytes of a rectangle x y w h, one value per line.
region() {
    /usr/bin/convert -size ${screen_w}x1080 -depth 8 "gray:$work/shot.gray" \
        -crop "$3x$4+$1+$2" +repage -depth 8 gray:- | od -An -tu1 -v | tr -s ' ' '\n' | sed '/^$/d'
}
count_gray() { region "$1" "$2" "$3" "$4" | grep -cx "$5" || true; }
count_lit() { region "$1" "$2" "$3" "$4" | grep -cvx 0 || true; }

# A press held long enough for the game's next poll to see it: a tap that
# begins and ends between two frames goes unseen.
press() { xdotool keydown "$1" sleep 0.1 keyup "$1"; }

expect_eq() { [[ "$1" == "$2" ]] || fail "$3: got $1, expected $2"; }
expect_ge() { (($1 >= $2)) || fail "$3: got $1, expected at least $2"; }

# The game's exit status, once it has ended by itself within five seconds.
expect_exit() {
    for _ in $(seq 50); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    local status
    wait "$game_pid" && status=0 || status=$?
    game_pid=
    expect_eq "$status" "$1" "$2"
}

# Waits up to $2 seconds until the command $1 succeeds on a fresh screenshot.
wait_for() {
    local what=$1 deadline=$((SECONDS + $2))
    while ((SECONDS < deadline)); do
        shoot
        if $what; then return 0; fi
        sleep 0.2
    done
    save_png
    fail "timed out waiting for $what"
}

# The sound the game wrote, as the largest distance of a sample from the
# unsigned 8-bit silence of 128.
loudest_sample() {
    od -An -tu1 -v "$work/sound.raw" | tr -s ' ' '\n' | sed '/^$/d' |
        awk 'BEGIN { m = 0 } { d = $1 - 128; if (d < 0) d = -d; if (d > m) m = d } END { print m }'
}

# What the screens look like at the places the layout fixes.
splash_shown() { (($(count_lit 870 462 162 58) > 500)) && (($(count_lit 0 0 860 980) == 0)); }
title_shown() { (($(count_lit 790 330 320 120) > 2000)) && [[ $(pixel 1820 500) == 0 ]]; }
game_shown() { [[ $(pixel 1820 500) == 255 && $(pixel 1821 10) == 255 && $(pixel 500 970) == 255 ]]; }
game_over_shown() {
    (($(count_lit 1704 116 72 8) > 40)) && (($(count_lit 1828 56 56 8) > 40)) &&
        [[ $(pixel 1820 500) == 0 && $(pixel 500 970) == 0 ]]
}
