#!/usr/bin/env bash
# scripts/play.sh run by a user without root on a system without sudo, with
# packages missing: it must say which packages and how to install them, and
# stop with status 1, not die on "sudo: command not found". The run is a real
# unprivileged one (as nobody when started as root), with only the basic
# tools on its PATH; dpkg-query there reports every package as missing.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/orbostrak-deps.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

mkdir "$work/bin"
for tool in bash cat dirname grep id; do ln -s "$(command -v "$tool")" "$work/bin/$tool"; done
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/bash
echo "dpkg-query: no packages found matching ${!#}" >&2
exit 1
STUB
chmod 755 "$work/bin/dpkg-query"

as_user=()
if [[ $(id -u) -eq 0 ]]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Each run: the script and its arguments, then the packages it must name.
check() {
    local script=$1 args=$2 packages=$3 status=0
    "${as_user[@]}" env -i PATH="$work/bin" HOME=/nonexistent \
        "$source_dir/scripts/$script" $args >"$work/out.txt" 2>&1 || status=$?
    [[ $status -eq 1 ]] || fail "$script $args: status $status: $(cat "$work/out.txt")"
    grep -q "not installed: $packages\$" "$work/out.txt" || fail "$script $args: $(cat "$work/out.txt")"
    grep -q "apt-get install $packages\$" "$work/out.txt" || fail "$script $args: $(cat "$work/out.txt")"
    ! grep -qi "command not found" "$work/out.txt" || fail "$script $args: $(cat "$work/out.txt")"
}
check play.sh "" "libsdl1.2-dev cmake g++ make"
check install-deps.sh --tests "libsdl1.2-dev cmake g++ make libgtest-dev xvfb xdotool imagemagick x11-apps"
echo "without root or sudo: the missing packages named, with the command to install them"
