# Shared by the tests of the Windows program under Wine: the end-to-end rig
# of the desktops (tests/e2e/lib.sh: a private Xvfb, screenshots, waits with
# deadlines) with the program run through Wine from the folder given.
# Usage from a test: source lib.sh FOLDER, where FOLDER holds orbostrak.exe
# (or will, once an installer has run).
# The Wine prefix and its server are the caller's (scripts/test-windows.sh).
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh" "$1/orbostrak.exe"
export WINEDEBUG=${WINEDEBUG:--all}
# Wine hands the program its own environment; SDL picks its Windows drivers.
video_driver=
audio_driver=dummy
# The program in folder $1 through Wine, as one command the rig can start
# and wait for: the Wine loader becomes the program's process and ends with
# its status.
game_binary=$work/orbostrak
game_in() {
    game_folder=$(realpath -m "$1")
    printf '#!/bin/sh\ncd "%s" && exec wine orbostrak.exe "$@"\n' "$game_folder" >"$game_binary"
    chmod +x "$game_binary"
}
game_in "$1"

# Where the program's folder cannot be written, the files go to the local
# application data of the prefix's player.
player_output=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/ORBO-STRAK

# Wine's desktop keeps the display of the first program that ran in the
# prefix for as long as the prefix's server runs, and tells every program of
# that screen's size: a new screen waits for the old server to end.
start_screen() {
    wineserver --wait
    start_xvfb
}

# Without a window manager, the keyboard's focus goes to a window only when
# it is given to it; Wine then takes the window as the active one.
focus_game() {
    xdotool windowfocus --sync "$window"
    focused() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$window" ]]; }
    wait_until "the keyboard's focus on the game window" 30 focused
}

# The game's window on the screen, with the keys going to it.
start_windows_game() {
    start_game
    focus_game
}

# The game's exit status as Windows reports it, through cmd: exit(-1) is -1.
windows_status() {
    (cd "$game_folder" && env "$@" wine cmd /c 'orbostrak.exe & echo status %ERRORLEVEL%' 2>/dev/null |
        tr -d '\r' | sed -n 's/^status //p')
}
