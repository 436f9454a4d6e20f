#!/usr/bin/env bash
# The installer under Wine, run with /S: for the current user by default,
# and with /AllUsers for all of them. Each time it puts the program, SDL.dll,
# the texts and an uninstaller into the install folder, a Start menu entry
# and an entry among the installed programs; the installed program starts
# and shows the title; the uninstaller, run with /S, takes away every file
# and the entry it put there, and the program's folder.
#
#   installer_test.sh SETUP.exe
setup=$(realpath "$1")
export WINEPREFIX
user_programs=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/ORBO-STRAK
source "$(dirname "$0")/lib.sh" "$user_programs"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\ORBO-STRAK'

# Every file and folder of the prefix's drive C, but the temporary folders
# (where an uninstaller runs a copy of itself) and Wine's own registry.
drive_c() {
    (cd "$WINEPREFIX/drive_c" && find . -path '*/Temp' -prune -o -path ./windows -prune -o -print) | sort
}

# Installs with $1 (none: the current user, or /AllUsers) into $2, the Start menu
# entry at $3, the uninstall entry under $4 (HKCU or HKLM).
install_check() {
    local mode=${1:-/S} folder=$2 shortcut=$3 hive=$4
    drive_c >"$work/before.txt"
    wine "$setup" /S ${1:+"$1"} >"$work/setup.log" 2>&1 || fail "$mode: the installer failed: $(cat "$work/setup.log")"
    local file
    for file in orbostrak.exe SDL.dll README.txt LICENSE.txt LICENSE-SDL.txt LICENSE-mingw-w64.txt LICENSE-GCC.txt uninstall.exe; do
        [[ -f $folder/$file ]] || fail "$mode: no $file in $folder"
    done
    [[ -f $shortcut ]] || fail "$mode: no Start menu entry at $shortcut"
    wine reg query "$hive\\$uninstall_key" /v UninstallString >"$work/key.txt" 2>&1 ||
        fail "$mode: no entry among the installed programs under $hive"

    game_in "$folder"
    start_windows_game
    wait_for title_shown 240
    xdotool key q
    expect_exit 0 "$mode: exit status of the installed program after q"

    wine "$folder/uninstall.exe" /S >"$work/uninstall.log" 2>&1 ||
        fail "$mode: the uninstaller failed: $(tail -20 "$work/uninstall.log")"
    # It runs on from a copy of itself in the temporary folder: it has
    # ended once the prefix's server has, with the last program of the prefix.
    timeout 120 wineserver --wait || fail "$mode: the uninstaller did not end within 120 s"
    [[ ! -e $folder ]] || fail "$mode: $folder is left"
    [[ ! -e $shortcut ]] || fail "$mode: the Start menu entry is left"
    ! wine reg query "$hive\\$uninstall_key" >/dev/null 2>&1 || fail "$mode: the uninstall entry is left"
    drive_c >"$work/after.txt"
    diff "$work/before.txt" "$work/after.txt" >"$work/left.txt" ||
        fail "$mode: left behind or taken away: $(head -20 "$work/left.txt")"
}

start_screen
menu=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
install_check "" "$user_programs" "$menu/ORBO-STRAK.lnk" HKCU
install_check /AllUsers "$WINEPREFIX/drive_c/Program Files/ORBO-STRAK" \
    "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ORBO-STRAK.lnk" HKLM
echo "installer: for the current user and for all users, installed, started on its title, and removed to the last file"
