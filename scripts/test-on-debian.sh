#!/usr/bin/env bash
# Runs the whole test suite on another Debian release, as a new user there
# would: in a minimal system made with debootstrap from the package mirror
# this machine's apt uses, into which the checkout is cloned as root, into
# /root, which only root can enter. Needs root (debootstrap, chroot, mount).
#
#   scripts/test-on-debian.sh RELEASE [SCRIPT [ARGUMENTS...]]
#
# RELEASE is 12, 13 or 14 (or a codename); SCRIPT is one of the project's
# own, run in the clone, `scripts/test.sh linux` by default: the Linux suite
# (bench/run_benchmark.sh measures there). The checkout goes in as it
# stands, with the changes not yet committed.
#
# The system is kept in /var/cache/orbostrak/matrix-RELEASE and used again
# by later runs: each starts from a new clone, with no process of an earlier
# run left, and installs what is missing as a first run does. Delete the
# folder, or set ORBOSTRAK_FRESH_SYSTEM=1, to start from a new system.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
source "$source_dir/scripts/debian-systems.sh"
release=${1:?usage: scripts/test-on-debian.sh RELEASE [SCRIPT [ARGUMENTS...]]}
shift
run=("${@:-scripts/test.sh}")
[[ $# -gt 0 ]] || run+=(linux)
codename=$(debian_codename "$release")
[[ $(id -u) -eq 0 ]] || { echo "test-on-debian: debootstrap and chroot need root" >&2; exit 1; }
need_tool git

dir=$systems_cache/matrix-$codename
mkdir -p "$systems_cache"
exec 9>"$dir.lock"
flock 9 # one run at a time in one system
root=$(debian_system "$codename" "$dir")
trap 'debian_leave "$root"' EXIT

clone=$root/root/orbostrak
rm -rf "$root"/tmp/* "$root"/tmp/.X*
chmod 700 "$root/root"
clone_checkout "$source_dir" "$clone"
echo "== Debian $codename: ${run[*]} in /root/orbostrak, at $(git -C "$clone" log -1 --format='%h %s')"

start=$SECONDS
status=0
debian_run "$root" bash -c 'cd /root/orbostrak && exec "$@"' run "${run[@]}" || status=$?
echo "== Debian $codename: ${run[*]} ended with status $status after $((SECONDS - start)) s"
exit "$status"
