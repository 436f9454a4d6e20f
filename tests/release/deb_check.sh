#!/usr/bin/env bash
# The package as a player installs it, in a fresh minimal Debian system of
# release $1 that nothing has been installed into since debootstrap made it:
# apt installs the package file $2 with all it depends on and recommends,
# the installed program opens its window on an X server and shows the
# title, q ends it with 0, and apt remove --purge leaves no file of the
# package behind. As root. A screenshot of the title goes to $3, if given.
#   deb_check.sh RELEASE DEB [SCREENSHOT.png]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/debian-systems.sh"
codename=$(debian_codename "$1")
deb=$(realpath "$2")
shot=${3:-}
mkdir -p "$systems_cache"
system=$(mktemp -d "$systems_cache/fresh-$codename.XXXXXX")
root=$(debian_fresh "$codename" "$system")

# The game runs in the system, on the X server the checks start here: the
# server's socket in the abstract namespace is seen from inside too.
cat >"$system/orbostrak" <<PROGRAM
#!/bin/sh
exec chroot "$root" /usr/games/orbostrak
PROGRAM
chmod +x "$system/orbostrak"
source "$here/../e2e/lib.sh" "$system/orbostrak"
trap 'cleanup; debian_discard "$system"' EXIT
audio_driver=dummy

cp "$deb" "$root/root/"
name=$(basename "$deb")
debian_run "$root" apt-get update -qq >"$work/apt.log" 2>&1 || fail "apt-get update: $(tail -5 "$work/apt.log")"
debian_run "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/root/$name" \
    >>"$work/apt.log" 2>&1 </dev/null || fail "apt cannot install $name: $(tail -20 "$work/apt.log")"
files=$(debian_run "$root" dpkg -L orbostrak)
stack=$(debian_run "$root" dpkg-query -W -f '${Package} ${Version}' libsdl1.2debian)

start_xvfb
start_game
wait_for title_shown 60
[[ -z $shot ]] || /usr/bin/convert -size ${screen_w}x${screen_h} -depth 8 "gray:$work/shot.gray" "$shot"
xdotool key q
expect_exit 0 "exit status after q"

debian_run "$root" env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq orbostrak \
    >>"$work/apt.log" 2>&1 </dev/null || fail "apt cannot remove orbostrak: $(tail -20 "$work/apt.log")"
left=()
while read -r path; do
    [[ -e $root$path && ! -d $root$path ]] && left+=("$path")
done <<<"$files"
while read -r path; do
    [[ -n $path ]] && left+=("${path#"$root"}")
done < <(find "$root" -xdev -name '*orbostrak*' ! -path "$root/root/$name" 2>/dev/null)
[[ ${#left[@]} -eq 0 ]] || fail "left behind after apt remove --purge: ${left[*]}"
[[ -z $(debian_run "$root" dpkg-query -W -f '${Status}' orbostrak 2>/dev/null | grep -v not-installed) ]] ||
    fail "dpkg still knows orbostrak after the purge"
echo "deb: Debian $codename ($stack) installs $name, shows the title, and purges it to the last file"
