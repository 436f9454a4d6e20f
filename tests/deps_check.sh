#!/usr/bin/env bash
# scripts/play.sh run by a user without root on a system without sudo, with
# packages missing: it must say which packages and how to install them, and
# stop with status 1, not die on "sudo: command not found". The run is a real
# unprivileged one (as nobody when started as root), with only the basic
# tools on its PATH; dpkg-query there reports every package as missing.
# The scripts run from a copy that the user can read: the checkout may be
# one only its owner can enter, such as root's home.
set -euo pipefail
work=$(mktemp -d /tmp/orbostrak-deps.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
source_dir=$work/source
mkdir "$source_dir"
cp -r "$(dirname "$0")/../scripts" "$source_dir/"
chmod -R a+rX "$source_dir"

mkdir "$work/bin"
for tool in bash cat dirname grep id sed; do ln -s "$(command -v "$tool")" "$work/bin/$tool"; done
printf '#!/bin/bash\necho "dpkg-query: no packages found matching ${!#}" >&2; exit 1\n' >"$work/bin/dpkg-query"
chmod 755 "$work/bin/dpkg-query"

as_user=()
[[ $(id -u) -ne 0 ]] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fail() { echo "FAIL: $*" >&2; exit 1; }

# Each run: the script and its arguments, then packages it must name among
# the missing, in its message and in the command it gives alike.
check() {
    local script=$1 args=$2 status=0 named package
    "${as_user[@]}" env -i PATH="$work/bin" HOME=/nonexistent \
        "$source_dir/scripts/$script" $args >"$work/out.txt" 2>&1 || status=$?
    local said="$script $args: status $status: $(cat "$work/out.txt")"
    [[ $status -eq 1 ]] || fail "$said"
    ! grep -qi "command not found" "$work/out.txt" || fail "$said"
    named=$(sed -n 's/.*not installed: //p' "$work/out.txt")
    grep -qxF "    apt-get update && apt-get install $named" "$work/out.txt" || fail "$said"
    for package in "${@:3}"; do
        [[ " $named " == *" $package "* ]] || fail "$package not named: $said"
    done
}
check play.sh "" libsdl1.2-dev cmake g++ make
check install-deps.sh --tests libsdl1.2-dev libgtest-dev xvfb
echo "without root or sudo: the missing packages named, with the command to install them"
