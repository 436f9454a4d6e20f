#!/usr/bin/env bash
# The Windows program's sound reaches the system's device under Wine: with
# ALSA's file plugin as the default device, what SDL's waveOut driver plays
# through Wine is written to a file. The splash and the title are silent,
# and the stream is the unsigned 8-bit silence of 128 there; once the start
# tune of a new game has played out, a shot sounds louder than anything the
# march and the mystery ship play (at most 35 and 18 from silence), and
# those bytes reach the file.
#
#   sound_test.sh FOLDER
source "$(dirname "$0")/lib.sh" "$1"
audio_driver= # the game's own choice
stream=$work/sound.raw
mkdir -p "$work/home"
cat >"$work/home/.asoundrc" <<ASOUNDRC
pcm.!default {
    type file
    slave.pcm "null"
    file "$stream"
    format "raw"
}
ASOUNDRC

stream_bytes() { stat -c %s "$stream" 2>/dev/null || echo 0; }
# The largest distance from 128 of the bytes of the stream from $1 on,
# or of its last $2 bytes.
loudest_from() { tail -c +$(($1 + 1)) "$stream" | loudest; }
loudest_last() { tail -c "$1" "$stream" | loudest; }

start_screen
HOME=$work/home start_windows_game
wait_for prompt_shown 240
# A second of sound or so, at any of the rates Wine may choose.
streamed() { (($(stream_bytes) >= 16000)); }
wait_until "the device's stream to reach ALSA's file" 60 streamed
expect_eq "$(loudest_from 0)" 0 "distance from 128 of the stream while the title is silent"

hold_until z game_shown 120
# The start tune is loud (126 at its peak); the shot is heard once it is over.
game_started_at=$(stream_bytes)
CALM_BYTES=32768
calm() {
    (($(stream_bytes) > game_started_at + 2 * CALM_BYTES)) && (($(loudest_last $CALM_BYTES) < 55))
}
wait_until "the start tune to play out in the stream" 60 calm
quiet_until=$(stream_bytes)
wait_for cannon_seen 30
# Z again and again until a shot's sound has reached the file.
shot_heard() {
    (($(loudest_from "$quiet_until") >= 55)) && return 0
    press z
    return 1
}
wait_until "a shot's sound among the bytes that reach ALSA's file" 60 shot_heard
loudest=$(loudest_from "$quiet_until")
xdotool key q
expect_exit 0 "exit status after q"
echo "sound: silence on the title, a shot at $loudest from 128 in the stream Wine wrote through ALSA"
