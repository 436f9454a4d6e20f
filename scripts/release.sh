#!/usr/bin/env bash
# Builds a release from a clean checkout at the commit tagged with its
# version, or a snapshot from any commit, into dist/orbostrak-VERSION/:
#
#   orbostrak-VERSION.tar.gz           the source
#   orbostrak_VERSION-1_amd64.deb      for Debian 12, 13 and 14
#   orbostrak-VERSION-win64.zip        for Windows, to unpack anywhere
#   orbostrak-VERSION-setup.exe        for Windows, an installer
#   orbostrak-VERSION-web.zip          the page, for any static web host
#   SHA256SUMS                         for sha256sum -c
#
#   scripts/release.sh [--snapshot] [--name]
#
# With --name it builds nothing and prints the release folder's path.
#
# A snapshot's version is the release's with the commit's day and hash,
# 1.0.0+git20261209.4ab1b87. Every file is the same to the byte whenever and
# wherever it is built from the same commit: times come from the commit
# (SOURCE_DATE_EPOCH), and nothing of the folder it is built in stays in it.
# The package is built in a minimal Debian 12 system (as root), so that it
# installs on Debian 12 and every later release.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cd "$source_dir"
source scripts/debian-systems.sh
source scripts/version.sh
snapshot=false
name_only=false
for option in "$@"; do
    case $option in
    --snapshot) snapshot=true ;;
    --name) name_only=true ;;
    *) echo "usage: scripts/release.sh [--snapshot] [--name]" >&2; exit 2 ;;
    esac
done
refuse() { echo "release: $*" >&2; exit 1; }

need_tool git
[[ -d .git || -f .git ]] || refuse "$source_dir is no git checkout: a release is built from one"
[[ -z $(git status --porcelain) ]] ||
    refuse "the checkout has changes not committed; a release is built from a commit as it is:
$(git status --short | head -10)"
version=$(project_version)
commit=$(git rev-parse --short=7 HEAD)
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct HEAD)
if $snapshot; then
    day=$(date -u -d "@$SOURCE_DATE_EPOCH" +%F)
    suffix=+git$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y%m%d).$commit
else
    git tag --points-at HEAD | grep -qx "v$version" ||
        refuse "the commit $commit has no tag v$version, the version at the top of CMakeLists.txt;
tag it (git tag v$version), or build a snapshot: scripts/release.sh --snapshot"
    suffix=
fi
full=$version$suffix
out=$source_dir/dist/orbostrak-$full
if $name_only; then
    echo "$out"
    exit 0
fi
echo "== orbostrak $full, from $commit of $(date -u -d "@$SOURCE_DATE_EPOCH" '+%F %T') UTC"

work=$(mktemp -d /tmp/orbostrak-release.XXXXXX)
builder=
cleanup() {
    [[ -z $builder ]] || debian_leave "$builder"
    rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$out"
mkdir -p "$out"

# The source as committed, and the tree every other file is built from.
git archive --format=tar --prefix="orbostrak-$full/" HEAD | gzip -9n >"$out/orbostrak-$full.tar.gz"
tar -C "$work" -xzf "$out/orbostrak-$full.tar.gz"
src=$work/orbostrak-$full
if $snapshot; then
    # The package's version comes from its changelog: the snapshot gets an
    # entry of its own, of the commit's time, in the tree it is built from.
    signer=$(sed -n 's/^Maintainer: //p' "$src/debian/control")
    {
        echo "orbostrak ($full-1) unstable; urgency=medium"
        echo
        echo "  * Snapshot of commit $commit."
        echo
        echo " -- $signer  $(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")"
        echo
        cat "$src/debian/changelog"
    } >"$work/changelog"
    mv "$work/changelog" "$src/debian/changelog"
fi

echo "== the Debian package, in a minimal Debian 12"
builder_dir=$systems_cache/release-bookworm
mkdir -p "$systems_cache"
exec 9>"$builder_dir.lock"
flock 9
builder=$(debian_system bookworm "$builder_dir")
build_tools=(debhelper cmake libsdl1.2-dev build-essential fakeroot)
installed=$(debian_run "$builder" dpkg-query -W -f='${Status}\n' "${build_tools[@]}" 2>/dev/null |
    grep -cx "install ok installed" || true)
if ((installed < ${#build_tools[@]})); then
    echo "Installing the package's build tools"
    debian_run "$builder" apt-get update -qq
    debian_run "$builder" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${build_tools[@]}" >/dev/null
fi
# A folder of another name every time: the package must not depend on it.
inside=$(mktemp -d "$builder/root/build.XXXXXX")
cp -a "$src" "$inside/"
debian_run "$builder" env SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" DEB_BUILD_OPTIONS="parallel=$(nproc)" \
    sh -c "cd '/root/$(basename "$inside")/orbostrak-$full' && dpkg-buildpackage -us -uc -b" \
    >"$work/package.log" 2>&1 || { tail -40 "$work/package.log" >&2; refuse "the package did not build"; }
cp "$inside/orbostrak_${full}-1_amd64.deb" "$out/"
rm -rf "$inside"
debian_leave "$builder"
builder=

echo "== for Windows"
(cd "$src" && ORBOSTRAK_VERSION=$full scripts/build-windows.sh "$out")

echo "== the page"
(cd "$src" && ORBOSTRAK_VERSION=$full scripts/build-web.sh "$work/site")
scripts/zip-folder.py "$work/site" "$out/orbostrak-$full-web.zip" "orbostrak-$full-web"

(cd "$out" && sha256sum -- $(ls | grep -vx SHA256SUMS) >SHA256SUMS.part && mv SHA256SUMS.part SHA256SUMS)
echo "== dist/orbostrak-$full:"
(cd "$out" && ls -l --time-style=+ | awk 'NR > 1 { printf "   %9d  %s\n", $5, $NF }')
