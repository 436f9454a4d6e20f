# Minimal Debian systems for the project's own runs, as root: the test
# matrix's, the release's builder, and fresh ones that a release check
# installs the package into and throws away. Sourced, not run.
#
# Each release has one base in /var/cache/orbostrak/base-CODENAME, made by
# debootstrap --variant=minbase from the Debian mirror this machine's apt
# uses, and never changed afterwards. A system is that base with a folder of
# its own changes laid over it (overlayfs), so that a fresh system costs
# nothing to make; where overlayfs cannot be mounted, it is a copy.
# ORBOSTRAK_FRESH_SYSTEM=1 makes every base and kept system anew.

systems_cache=/var/cache/orbostrak

debian_codename() {
    case $1 in
    12 | bookworm) echo bookworm ;;
    13 | trixie) echo trixie ;;
    14 | forky) echo forky ;;
    *) echo "$1" ;;
    esac
}

# Installs a tool this machine lacks; says so on standard error, since the
# functions here print their results.
need_tool() {
    local tool=$1 package=${2:-$1}
    command -v "$tool" >/dev/null && return 0
    echo "Installing: $package" >&2
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
        --no-install-recommends "$package" >/dev/null
}

# The base of a release, made where it is missing; prints its path.
debian_base() {
    local codename=$1 base=$systems_cache/base-$1 mirror script log
    [[ $(id -u) -eq 0 ]] || { echo "debian-systems: debootstrap and chroot need root" >&2; return 1; }
    mkdir -p "$systems_cache"
    (
        flock 8
        if [[ ${ORBOSTRAK_FRESH_SYSTEM:-} == 1 && ! -e $base/.made-by-$$ ]] || [[ ! -e $base/.complete ]]; then
            need_tool debootstrap
            # The mirror of Debian's own archive among this machine's package sources.
            mirror=$(apt-get indextargets --format '$(LABEL) $(REPO_URI)' 'Created-By: Packages' |
                awk '$1 == "Debian" { print $2; exit }')
            [[ -n $mirror ]] || { echo "debian-systems: this machine's apt uses no Debian mirror" >&2; exit 1; }
            # A release newer than this machine's debootstrap is made as unstable is.
            script=/usr/share/debootstrap/scripts/$codename
            [[ -e $script ]] || script=/usr/share/debootstrap/scripts/sid
            rm -rf "$base"
            echo "== Debian $codename: a minimal system from $mirror" >&2
            local start=$SECONDS
            log=$systems_cache/base-$codename.log
            debootstrap --variant=minbase "$codename" "$base" "$mirror" "$script" >"$log" 2>&1 ||
                { tail -20 "$log" >&2; exit 1; }
            # Testing's package lists on some mirrors are past their Valid-Until date.
            echo 'Acquire::Check-Valid-Until "false";' >"$base/etc/apt/apt.conf.d/99valid-until"
            touch "$base/.complete" "$base/.made-by-$$"
            echo "   made in $((SECONDS - start)) s" >&2
        fi
    ) 8>"$systems_cache/base-$codename.lock" || return 1
    echo "$base"
}

# Every process still running in the system at $1, then every mount in it,
# the system's own last.
debian_leave() {
    local root=$1 pid mount
    for pid in $(ls /proc | grep -x '[0-9]*'); do
        [[ $(readlink "/proc/$pid/root" 2>/dev/null) == "$root" ]] && kill -KILL "$pid" 2>/dev/null || true
    done
    for mount in $(awk -v root="$root" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/mounts | sort -r); do
        umount "$mount" 2>/dev/null || umount -l "$mount"
    done
}

# The system of release $1 kept in folder $2 (its changes, and the system
# itself at $2/root), mounted and ready to enter; prints the root.
debian_system() {
    local base dir=$2 root=$2/root
    base=$(debian_base "$1") && [[ -e $base/.complete ]] ||
        { echo "debian-systems: no base system of $1" >&2; return 1; }
    if [[ ${ORBOSTRAK_FRESH_SYSTEM:-} == 1 && ! -e $dir/.made-by-$$ ]] || [[ ! -e $dir/.base-of-$(stat -c %Y "$base/.complete") ]]; then
        debian_leave "$root"
        rm -rf "$dir"
    fi
    mkdir -p "$dir/changes" "$dir/work" "$root"
    touch "$dir/.made-by-$$" "$dir/.base-of-$(stat -c %Y "$base/.complete")"
    if ! mountpoint -q "$root"; then
        mount -t overlay overlay -o "lowerdir=$base,upperdir=$dir/changes,workdir=$dir/work" "$root" 2>/dev/null ||
            { [[ -e $root/.complete ]] || cp -a "$base/." "$root/"; } || return 1
    fi
    cp /etc/resolv.conf "$root/etc/resolv.conf" || return 1
    { mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"; } &&
        { mountpoint -q "$root/dev" || mount --bind /dev "$root/dev"; } &&
        { mountpoint -q "$root/dev/pts" || mount --bind /dev/pts "$root/dev/pts"; } &&
        { mountpoint -q "$root/dev/shm" || mount -t tmpfs -o mode=1777 shm "$root/dev/shm"; } || return 1
    # An earlier run stopped in the middle of an install leaves dpkg to finish it.
    chroot "$root" dpkg --configure -a || return 1
    echo "$root"
}

# A system of release $1 that no run has touched: the base with an empty
# folder of changes over it, in the new folder $2; debian_discard ends it.
debian_fresh() {
    debian_discard "$2"
    debian_system "$1" "$2"
}
debian_discard() {
    debian_leave "$1/root"
    rm -rf "$1"
}

# Runs a command as root in the system at $1, with an environment of its own.
debian_run() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# The checkout at $1 as it stands, its untracked files too, cloned into the
# folder $2 (inside a system): its commit, or one of every file that is not
# ignored, written through an index of its own so that nothing changes in
# the checkout.
clone_checkout() {
    local source_dir=$1 clone=$2 index tree commit
    index=$(mktemp)
    GIT_INDEX_FILE=$index git -C "$source_dir" read-tree HEAD
    GIT_INDEX_FILE=$index git -C "$source_dir" add -A
    tree=$(GIT_INDEX_FILE=$index git -C "$source_dir" write-tree)
    rm -f "$index"
    commit=$(git -C "$source_dir" rev-parse HEAD)
    if [[ $tree != $(git -C "$source_dir" rev-parse 'HEAD^{tree}') ]]; then
        commit=$(git -C "$source_dir" commit-tree "$tree" -p HEAD -m "Not yet committed changes")
    fi
    rm -rf "$clone"
    git init -q "$clone"
    git -C "$source_dir" push -q "$clone" "$commit:refs/heads/main"
    git -C "$clone" checkout -q main
}
