#!/usr/bin/env bash
# Without a display to reach (none named, a dead one, a garbled name) SDL
# would fall back to drawing text in the terminal, or nowhere: the game says
# "SDL initialize error." and ends with status 255 instead of running
# unseen. A video driver chosen by name still runs, and a SIGTERM sent the
# moment SDL can catch it ends it in order.
source "$(dirname "$0")/lib.sh" "$1"

# A display number no server answers on.
dead=70
while [[ -e /tmp/.X$dead-lock || -e /tmp/.X11-unix/X$dead ]]; do dead=$((dead + 1)); done

# Runs the game with the given environment changes.
run_game() {
    env -u SDL_VIDEODRIVER "$@" TERM=xterm SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" \
        "$game_binary" </dev/null >"$work/out.txt" 2>"$work/err.txt" &
    game_pid=$!
}
# The status $1, standard output exactly $2 (no text driver may have written
# to the terminal before it was let go), and on a refusal SDL's reason on
# standard error.
expect_end() {
    expect_exit "$1" "$3: exit status"
    [[ "$(cat "$work/out.txt"; echo .)" == "$2." ]] ||
        fail "$3: the output is $(head -c 80 "$work/out.txt" | od -c | head -4)"
    [[ $1 == 0 ]] || grep -q '^SDL: ..' "$work/err.txt" || fail "$3: no reason on standard error: $(cat "$work/err.txt")"
}

for display in unset ":$dead" "not a display"; do
    if [[ $display == unset ]]; then run_game -u DISPLAY; else run_game DISPLAY="$display"; fi
    expect_end 255 $'SDL initialize error.\n' "DISPLAY $display"
done

# SIGTERM is bit 15 of the mask of caught signals. Until it has become the
# game, the started process is a copy of this shell, whose own trap catches
# SIGTERM too.
catches_sigterm() {
    local mask
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before it caught SIGTERM"
    [[ $(readlink "/proc/$game_pid/exe") -ef $game_binary ]] || return 1
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$game_pid/status" 2>/dev/null) && [[ -n $mask ]] &&
        (((16#$mask >> 14) & 1))
}
run_game -u DISPLAY SDL_VIDEODRIVER=dummy
wait_until "the game to catch SIGTERM" 30 catches_sigterm
kill -TERM "$game_pid"
expect_end 0 "" "dummy driver, SIGTERM at start-up"
echo "no display: three refusals with status 255; the dummy driver runs and ends on SIGTERM"
