#!/usr/bin/env bash
# The Debian package builds from a clean copy of the source tree with
# dpkg-buildpackage, and lintian --pedantic finds no error and no warning in
# it; its infos are printed. The package builds the game alone, without the
# test suite. Exits 77 (skipped) where the packaging tools are missing.
#   package_check.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
for tool in dpkg-buildpackage dpkg-checkbuilddeps dh lintian fakeroot; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool (scripts/install-deps.sh --tests)"; exit 77; }
done
(cd "$source_dir" && dpkg-checkbuilddeps) || { echo "SKIP: the package's build dependencies are missing"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d /tmp/orbostrak-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
version=$(cd "$source_dir" && dpkg-parsechangelog -S Version)
tree=$work/orbostrak-${version%-*}
mkdir "$tree"
tar -C "$source_dir" --exclude=./.git --exclude='./build*' --exclude=./obj-\* -cf - . |
    tar -C "$tree" -xf -

start=$SECONDS
(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b) >"$work/build.log" 2>&1 ||
    fail "dpkg-buildpackage: $(tail -40 "$work/build.log")"
echo "package: built in $((SECONDS - start)) s"

deb=$work/orbostrak_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
[[ -f $deb ]] || fail "no $(basename "$deb") among $(ls "$work")"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/games/orbostrak ./usr/share/applications/orbostrak.desktop \
    ./usr/share/icons/hicolor/256x256/apps/orbostrak.png ./usr/share/man/man6/orbostrak.6.gz \
    ./usr/share/doc/orbostrak/copyright; do
    grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# lintian's own exit status counts errors and warnings alone.
lintian --pedantic --info --fail-on error,warning "$work"/*.changes | tee "$work/lintian.txt" ||
    fail "lintian reports errors or warnings"
echo "package: $(basename "$deb"): lintian --pedantic: $(grep -c '^[EW]:' "$work/lintian.txt" || true) errors and warnings"
