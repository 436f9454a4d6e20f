#!/usr/bin/env bash
# A game played for real: splash, title, Z, the game screen as laid out, a
# shot from the starting place that takes an invader out of the bottom row,
# the score and the sound of it, the cannon driven right, Escape to leave.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
xdotool mousemove 950 490
start_game
started=$SECONDS

wait_for title_shown 8
sleep 1 # the title listens from its 31st frame
press z
wait_for game_shown 5
shoot
keep_shot start
save_png
use_shot start
expect_eq "$(count_gray 1 963 1899 16 255)" $((1899 * 16)) "ground line"
expect_eq "$(pixel 0 970)" 0 "column 0 beside the ground line"
expect_eq "$(count_gray 1820 0 2 980 255)" 1960 "separator"
expect_eq "$(count_gray 24 923 24 16 255)" 384 "first shield"
expect_eq "$(count_gray 1760 923 24 16 255)" 384 "last shield"
expect_eq "$(count_lit 48 923 32 16)" 0 "gap between the first shields"
expect_ge "$(count_lit 1828 32 40 8)" 40 "SCORE label"
expect_ge "$(count_lit 1828 860 40 16)" 60 "ORBO-STRAK in the panel"
expect_ge "$(count_lit 1836 96 13 8)" 40 "first reserve icon"
expect_ge "$(count_lit 1850 96 13 8)" 40 "second reserve icon"
expect_eq "$(count_lit 1864 96 13 8)" 0 "third reserve place"
cell() { region "$1" 40 8 8 | tr '\n' ' '; }
zero=$(cell 1836)
expect_eq "$(cell 1868)" "$zero" "tens digit of a score of 000000"

# The cannon starts at x 10, blinking in, and drives right into the gap between the
# first two shields, to fire from under the formation.
cannon_x() { region 0 962 1820 1 | awk '$1 != 0 { print NR - 2; exit }'; }
xdotool keydown Right sleep 0.8 keyup Right
for _ in $(seq 20); do
    shoot
    x=$(cannon_x)
    centre=$((x + 6))
    if ((centre < 50)); then
        xdotool keydown Right sleep 0.1 keyup Right
    elif ((centre > 77)); then
        xdotool keydown Left sleep 0.1 keyup Left
    else break; fi
done
((centre >= 50 && centre <= 77)) || fail "the cannon did not reach the gap: x $x"
keep_shot moved

# Scanlines 548, 536, ... cross the bodies of the six rows that can be hit,
# twelve white pixels each. An invader's body spans 12 of every 16 columns,
# and the formation shifts 4 px a sweep: of shots fired over several sweeps
# most find an invader, even with a bomb taking the cannon meanwhile.
bodies() {
    local n=0 r
    for r in 0 1 2 3 4 5; do n=$((n + $(count_gray 0 $((548 - 12 * r)) 1820 1 255))); done
    echo $n
}
for _ in $(seq 16); do
    press z
    sleep 0.4
done
sleep 1.5
shoot
keep_shot hit
save_png

use_shot moved
expect_eq "$(bodies)" 7200 "white body pixels of the six bottom rows"
use_shot hit
left=$(bodies)
# A bomb from the row above can be falling through a gap that a hit left,
# lighting up to three pixels of a scanline: allow two of them.
((left <= 7200 - 12 + 6)) || fail "body pixels after eight seconds of fire: $left"
[[ $(cell 1868) != "$zero" ]] || fail "the score still reads 000000"
expect_eq "$(cell 1876)" "$zero" "units digit of a score in tens"
# The disk driver takes a 2000-sample buffer every 250 ms, as a sound card
# would: the stream is as long as the game has run, and carries its sounds.
loud=$(loudest_sample)
expect_ge "$loud" 40 "loudest sample of the game's sound"
bytes=$(stat -c %s "$work/sound.raw")
expect_ge "$bytes" $((8000 * (SECONDS - started) * 3 / 4)) "bytes of sound in $((SECONDS - started)) s"

xdotool key Escape
expect_exit 0 "exit status after Escape"
echo "play: $(((7200 - left + 6) / 12)) invaders down, loudest sample $loud, cannon at $x"
