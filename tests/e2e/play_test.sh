#!/usr/bin/env bash
# A game played for real: splash, title, Z, the game screen as laid out,
# the cannon driven into the first gap between shields, fire until the
# score changes, the sound of it, Escape to leave.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
start_game

wait_for prompt_shown 240 # the title listens from before its prompt shows
hold_until z game_shown 120
expect_eq "$(count_gray 1 963 1899 16 255)" $((1899 * 16)) "ground line"
expect_eq "$(pixel 0 970)" 0 "column 0 beside the ground line"
expect_eq "$(count_gray 1820 0 2 980 255)" 1960 "separator"
expect_ge "$(count_lit 24 923 24 16)" 1 "first shield"
expect_eq "$(count_lit 48 923 32 16)" 0 "gap between the first shields"
expect_ge "$(count_lit 1828 32 40 8)" 1 "SCORE label"
expect_ge "$(count_lit 1828 860 40 16)" 1 "ORBO-STRAK in the panel"
digits() { region 1836 40 48 8 | tr '\n' ' '; }
cell() { region "$1" 40 8 8 | tr '\n' ' '; }
start_digits=$(digits)
zero=$(cell 1836)

# Presses toward the gap's middle, x 63, at least as long as the last one
# while the cannon has not moved: a press the game did not poll in between
# does nothing.
hold=0
steered_into_gap() {
    shoot || return 1
    centre=$(cannon_centre)
    [[ -n $centre ]] || return 1
    ((centre >= 50 && centre <= 77)) && return 0
    [[ $centre == "${last:-}" ]] && hold=$(awk "BEGIN { print ($hold < 2 ? $hold * 2 + 0.05 : $hold) }") || hold=0
    last=$centre
    nudge $((63 - centre)) "$hold"
    return 1
}
wait_until "the cannon steered into the gap, x 50 to 77" 300 steered_into_gap

# A shot flies about four seconds when it misses: fire again and again
# until the score shows a hit.
shots=0
scored() {
    shoot && [[ $(digits) != "$start_digits" ]] && return 0
    press z
    shots=$((shots + 1))
    return 1
}
wait_until "the score to change while Z is pressed again and again" 400 scored
# every score is in tens: the units stay 0 whatever was hit
expect_eq "$(cell 1876)" "$zero" "units digit of a score in tens"
expect_ge "$(loudest_sample)" 40 "loudest sample of the game's sound"

xdotool key Escape
expect_exit 0 "exit status after Escape"
echo "play: score changed after $shots presses of Z from x $centre, loudest sample $(loudest_sample)"
