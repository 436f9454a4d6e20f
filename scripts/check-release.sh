#!/usr/bin/env bash
# Checks a release folder that scripts/release.sh wrote, each file as a
# person would use it, on a clean system (as root):
#
#   scripts/check-release.sh [--reproduce] dist/orbostrak-VERSION
#
# - SHA256SUMS: sha256sum -c accepts it, and it names every file.
# - The source tarball builds with the README's CMake commands, and the
#   unit tests pass in that build.
# - The .deb installs with apt in fresh minimal Debian 12, 13 and 14
#   systems, shows the title, and apt remove --purge leaves no file of it;
#   its metainfo validates with its release in it.
# - The Windows zip and installer pass the Windows tests in a fresh Wine
#   prefix; the web zip, unpacked and served, passes the web tests.
# - --reproduce: the release is built a second time from the same commit,
#   in another folder, and every file must be the same to the byte.
# Every check runs even when an earlier one failed; the status says if any did.
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
source "$source_dir/scripts/debian-systems.sh"
# the source's build and tests, the metainfo's checker; the Windows and web
# tests install their own
"$source_dir/scripts/install-deps.sh" --tests || exit 1
need_tool unzip
reproduce=false
[[ ${1:-} == --reproduce ]] && { reproduce=true; shift; }
release=$(realpath "${1:?usage: scripts/check-release.sh [--reproduce] dist/orbostrak-VERSION}")
full=${release##*/orbostrak-}
status=0
failed() { echo "FAIL: $*" >&2; status=1; }
work=$(mktemp -d /tmp/orbostrak-check.XXXXXX)
trap 'rm -rf "$work"' EXIT

echo "== the sums"
expected=(orbostrak-$full.tar.gz orbostrak_$full-1_amd64.deb orbostrak-$full-win64.zip
    orbostrak-$full-setup.exe orbostrak-$full-web.zip)
(cd "$release" && sha256sum -c --strict SHA256SUMS) || failed "sha256sum -c SHA256SUMS"
[[ $(awk '{ print $2 }' "$release/SHA256SUMS" | sort) == $(printf '%s\n' "${expected[@]}" | sort) ]] ||
    failed "SHA256SUMS names $(awk '{ print $2 }' "$release/SHA256SUMS" | tr '\n' ' '), not the five files"

echo "== the source, built as the README says"
tar -C "$work" -xzf "$release/orbostrak-$full.tar.gz"
(
    set -e
    cd "$work/orbostrak-$full"
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j"$(nproc)" >"$work/source-build.log" 2>&1 || { tail -30 "$work/source-build.log"; exit 1; }
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --test-dir build -j"$(nproc)" \
        -E '^(e2e\..*|install|package|deps)$' >"$work/source-tests.log" ||
        { tail -30 "$work/source-tests.log"; exit 1; }
    grep 'tests passed' "$work/source-tests.log"
) || failed "the source tarball does not build and pass its unit tests"

deb=$release/orbostrak_${full}-1_amd64.deb
echo "== the package's metainfo"
dpkg-deb -x "$deb" "$work/deb"
appstreamcli validate --no-net "$work/deb/usr/share/metainfo/io.github.orbostrak.orbostrak.metainfo.xml" &&
    grep -q "<release version=\"$full\"" "$work/deb/usr/share/metainfo/io.github.orbostrak.orbostrak.metainfo.xml" ||
    failed "the package's metainfo does not validate with release $full in it"
for debian in 12 13 14; do
    echo "== the package in a fresh Debian $debian"
    bash "$source_dir/tests/release/deb_check.sh" "$debian" "$deb" "$work/title-debian-$debian.png" ||
        failed "the package in Debian $debian"
done

echo "== for Windows, in a fresh Wine prefix"
"$source_dir/scripts/test-windows.sh" "$release/orbostrak-$full-win64.zip" "$release/orbostrak-$full-setup.exe" ||
    failed "the Windows zip and installer"

echo "== the page, unpacked and served"
mkdir "$work/web"
unzip -q "$release/orbostrak-$full-web.zip" -d "$work/web"
"$source_dir/scripts/test-web.sh" "$work/web/orbostrak-$full-web" || failed "the web zip"

if $reproduce; then
    echo "== a second build of the same commit, in another folder"
    commit=$(zcat "$release/orbostrak-$full.tar.gz" | git get-tar-commit-id)
    git clone -q --no-local "$source_dir" "$work/again" && git -C "$work/again" checkout -q "$commit"
    mode=$([[ $full == *+git* ]] && echo --snapshot)
    (cd "$work/again" && scripts/release.sh $mode) >"$work/again.log" 2>&1 ||
        { tail -30 "$work/again.log"; failed "the second build"; }
    while read -r sum name; do
        again=$(awk -v n="$name" '$2 == n { print $1 }' "$work/again/dist/orbostrak-$full/SHA256SUMS")
        if [[ $sum == "$again" ]]; then
            echo "   the same: $name"
        else
            failed "not the same in the second build: $name"
            need_tool diffoscope diffoscope-minimal # what differs, and where
            diffoscope --text - "$release/$name" "$work/again/dist/orbostrak-$full/$name" 2>/dev/null |
                head -60
        fi
    done <"$release/SHA256SUMS"
fi
((status == 0)) && echo "release check: every check of orbostrak-$full passed" ||
    echo "release check: orbostrak-$full FAILED"
exit "$status"
