#!/usr/bin/env bash
# When SDL cannot start (a video driver of a name SDL does not know), the
# Windows program writes exactly "SDL initialize error." to stdout.txt beside
# it, SDL's reason to stderr.txt, and ends with -1, which Windows reports as
# -1 and Wine's loader as 255. Where stdout.txt cannot be made beside the
# program, both files land in the player's local application data.
#
#   message_test.sh FOLDER
source "$(dirname "$0")/lib.sh" "$1"

# Exactly the message, with Windows' line end, in $1/stdout.txt, and a
# reason from SDL in $1/stderr.txt.
expect_message_in() {
    [[ -f $1/stdout.txt ]] || fail "no stdout.txt in $1"
    [[ "$(cat "$1/stdout.txt"; echo .)" == $'SDL initialize error.\r\n.' ]] ||
        fail "stdout.txt is $(od -c "$1/stdout.txt" | head -3)"
    grep -q '^SDL: ..' "$1/stderr.txt" || fail "no reason from SDL in stderr.txt: $(cat "$1/stderr.txt")"
}

rm -f "$game_folder"/std{out,err}.txt
run_refused() {
    (cd "$game_folder" && SDL_VIDEODRIVER=bogus exec wine orbostrak.exe) >"$work/game.log" 2>&1 &
    game_pid=$!
}
run_refused
expect_exit 255 "Wine's status of a refused start"
expect_message_in "$game_folder"
expect_eq "$(windows_status SDL_VIDEODRIVER=bogus)" -1 "the status Windows reports"
reason=$(tr -d '\r' <"$game_folder/stderr.txt")

# A folder of that name stands where stdout.txt would go.
rm -f "$game_folder"/std{out,err}.txt
mkdir "$game_folder/stdout.txt"
rm -rf "$player_output"
run_refused
expect_exit 255 "Wine's status of a refused start, its folder closed to it"
rmdir "$game_folder/stdout.txt"
[[ ! -e $game_folder/stderr.txt ]] || fail "stderr.txt beside the program, stdout.txt elsewhere"
expect_message_in "$player_output"
rm -rf "$player_output"
echo "message: exactly the message in stdout.txt, with CR LF, \"$reason\" in stderr.txt, status -1;" \
    "in %LOCALAPPDATA%\\ORBO-STRAK where the folder is closed"
