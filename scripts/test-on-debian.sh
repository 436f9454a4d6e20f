#!/usr/bin/env bash
# Runs the whole test suite on another Debian release, as a new user there
# would: in a minimal system made with debootstrap from the package mirror
# this machine's apt uses, into which the checkout is cloned as root, into
# /root, which only root can enter. Needs root (debootstrap, chroot, mount).
#
#   scripts/test-on-debian.sh RELEASE [SCRIPT [ARGUMENTS...]]
#
# RELEASE is 12, 13 or 14 (or a codename); SCRIPT is one of the project's
# own, run in the clone, scripts/test.sh by default: bench/run_benchmark.sh
# measures there. The checkout goes in as it stands, with the changes not
# yet committed.
#
# The system is kept in /var/cache/orbostrak/debian-RELEASE and used again
# by later runs: each starts from a new clone, with no process of an earlier
# run left, and installs what is missing as a first run does. Delete the
# folder, or set ORBOSTRAK_FRESH_SYSTEM=1, to start from a new system.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
release=${1:?usage: scripts/test-on-debian.sh RELEASE [SCRIPT [ARGUMENTS...]]}
shift
run=("${@:-scripts/test.sh}")

case $release in
12 | bookworm) codename=bookworm ;;
13 | trixie) codename=trixie ;;
14 | forky) codename=forky ;;
*) codename=$release ;;
esac
[[ $(id -u) -eq 0 ]] || { echo "test-on-debian: debootstrap and chroot need root" >&2; exit 1; }
for tool in debootstrap git; do
    if ! command -v "$tool" >/dev/null; then
        echo "Installing: $tool"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$tool" >/dev/null
    fi
done

# The mirror of Debian's own archive among this machine's package sources.
mirror=$(apt-get indextargets --format '$(LABEL) $(REPO_URI)' 'Created-By: Packages' |
    awk '$1 == "Debian" { print $2; exit }')
[[ -n $mirror ]] || { echo "test-on-debian: this machine's apt uses no Debian mirror" >&2; exit 1; }
# A release newer than this machine's debootstrap is made as unstable is.
script=/usr/share/debootstrap/scripts/$codename
[[ -e $script ]] || script=/usr/share/debootstrap/scripts/sid

cache=/var/cache/orbostrak
root=$cache/debian-$codename
mkdir -p "$cache"
exec 9>"$cache/debian-$codename.lock"
flock 9 # one run at a time in one system

# Every process still running in the system, then every mount in it.
leave_system() {
    local pid
    for pid in $(ls /proc | grep -x '[0-9]*'); do
        [[ $(readlink "/proc/$pid/root" 2>/dev/null) == "$root" ]] && kill -KILL "$pid" 2>/dev/null || true
    done
    for mount in dev/shm dev/pts dev proc; do
        if mountpoint -q "$root/$mount"; then umount "$root/$mount" || umount -l "$root/$mount"; fi
    done
}
trap leave_system EXIT

if [[ ${ORBOSTRAK_FRESH_SYSTEM:-} == 1 || ! -e $root/.complete ]]; then
    leave_system
    rm -rf "$root"
    echo "== Debian $codename: a minimal system from $mirror"
    start=$SECONDS
    debootstrap --variant=minbase "$codename" "$root" "$mirror" "$script" >"$cache/debian-$codename.log" 2>&1 ||
        { tail -20 "$cache/debian-$codename.log" >&2; exit 1; }
    # Testing's package lists on some mirrors are past their Valid-Until date.
    echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99valid-until"
    touch "$root/.complete"
    echo "   made in $((SECONDS - start)) s"
fi

cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
# An earlier run stopped in the middle of an install leaves dpkg to finish it.
chroot "$root" dpkg --configure -a

# The checkout as it stands: its commit, or one of every file that is not
# ignored, written through an index of its own so that nothing changes here.
index=$(mktemp)
GIT_INDEX_FILE=$index git -C "$source_dir" read-tree HEAD
GIT_INDEX_FILE=$index git -C "$source_dir" add -A
tree=$(GIT_INDEX_FILE=$index git -C "$source_dir" write-tree)
rm -f "$index"
commit=$(git -C "$source_dir" rev-parse HEAD)
if [[ $tree != $(git -C "$source_dir" rev-parse 'HEAD^{tree}') ]]; then
    commit=$(git -C "$source_dir" commit-tree "$tree" -p HEAD -m "Not yet committed changes")
fi
clone=$root/root/orbostrak
rm -rf "$clone" "$root"/tmp/* "$root"/tmp/.X*
chmod 700 "$root/root"
git init -q "$clone"
git -C "$source_dir" push -q "$clone" "$commit:refs/heads/main"
git -C "$clone" checkout -q main
echo "== Debian $codename: ${run[*]} in /root/orbostrak, at $(git -C "$clone" log -1 --format='%h %s')"

start=$SECONDS
status=0
chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c 'cd /root/orbostrak && exec "$@"' run "${run[@]}" || status=$?
echo "== Debian $codename: ${run[*]} ended with status $status after $((SECONDS - start)) s"
exit "$status"
