#!/usr/bin/env bash
# A player who never fires: the game ends with the last cannon, the
# game-over screen shows the score and the hi-score where the panel has
# them, then the splash and title return. Standing still, a cannon can outlive the
# bombs for an hour, so this one walks under the bombs that are falling.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
start_game

wait_for prompt_shown 240 # the title listens from before its prompt shows
hold_until z game_shown 120

# Bombs are the only things lit between the formation and the shields;
# every sixth row of the band catches each 8-row bomb picture. Of the bombs
# in the gaps between shields that the cannon can still reach, walk under
# the one nearest the ground. One screenshot a look, cropped to the bottom
# of the play area: the band, the cannon's base and the ground line.
look() {
    xwd -root -silent >"$work/shot.xwd"
    /usr/bin/convert "xwd:$work/shot.xwd" -crop "1820x360+$win_x+$((win_y + 620))" +repage -depth 8 \
        \( +clone -crop 1820x300+0+0 +repage -sample 1820x50\! -write "gray:$work/band.gray" +delete \) \
        "gray:$work/low.gray"
}
low_row() { od -An -tu1 -v -j $((($1 - 620) * 1820)) -N 1820 "$work/low.gray" | tr -s ' ' '\n' | sed '/^$/d'; }
steer() {
    od -An -tu1 -v "$work/band.gray" | tr -s ' ' '\n' | sed '/^$/d' | awk -v c="$1" '
        $1 != 0 {
            i = NR - 1; x = i % 1820; y = 620 + 6 * int(i / 1820); dx = x - c
            if ((x - 24) % 56 >= 24 && dx * dx <= (955 - y) * (955 - y) / 9 && y > best_y) {
                best_y = y; best = dx
            }
        }
        END { if (best_y) print best }'
}
started=$SECONDS
deadline=$((SECONDS + 540))
while ((SECONDS < deadline)); do
    look
    [[ $(low_row 970 | sed -n 501p) == 0 ]] && break # the ground line goes with the game
    c=$(low_row 962 | awk '$1 != 0 { print NR + 4; exit }')
    [[ -n $c ]] || continue
    dx=$(steer "$c")
    [[ -n $dx && $dx != 0 ]] || continue
    nudge "$dx" 0
done
((SECONDS < deadline)) || fail "the game did not end within 540 s of walking under bombs"
wait_for game_over_shown 120
expect_ge "$(count_lit 1828 32 40 8)" 1 "SCORE label"
score=$(region 1836 40 48 8 | tr '\n' ' ')
best=$(region 1836 64 48 8 | tr '\n' ' ')
expect_eq "$score" "$best" "score and hi-score of the only game, both 000000"
expect_eq "$(count_lit 0 0 1700 980)" 0 "lit pixels left of the labels"
expect_eq "$(count_lit 1828 860 72 16)" 0 "panel title on the game-over screen"

# 300 frames, about five seconds, then the splash again for three and the
# title after it; the title stays, so a slow screenshot cannot miss it.
wait_for title_shown 300
echo "idle: game over after $((SECONDS - started)) s of play, then the splash and title"
