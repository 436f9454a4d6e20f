#!/usr/bin/env bash
# The release script refuses, and says why, before it builds anything: in a
# checkout with changes not committed, and at a commit that has no tag of
# the version at the top of CMakeLists.txt. Skipped (77) outside a git
# checkout, as in a source tarball.
#   refusal_check.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: no git checkout"; exit 77; }
work=$(mktemp -d /tmp/orbostrak-refusal.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
source "$source_dir/scripts/version.sh"
git clone -q --no-local "$source_dir" "$work/clone"
cd "$work/clone"
git tag -d "$(git tag --points-at HEAD)" >/dev/null 2>&1 || true
version=$(project_version)

# Refused, with status 1, saying $2, and with no release folder made.
refused() {
    local said status=0
    said=$(scripts/release.sh $1 2>&1) || status=$?
    [[ $status == 1 ]] || fail "release $1 in $3: status $status, expected 1; said: $said"
    grep -q "$2" <<<"$said" || fail "release $1 in $3 does not say '$2': $said"
    [[ -z $(ls -d dist/orbostrak-* 2>/dev/null) ]] || fail "release $1 in $3 made a release folder"
}
refused "" "has no tag v$version" "an untagged commit"
echo change >>README.md
refused "" "changes not committed" "a changed checkout"
refused --snapshot "changes not committed" "a changed checkout"
git checkout -q README.md
touch new-file
refused --snapshot "changes not committed" "a checkout with a file not committed"
echo "release refusals: an untagged commit, changes and a new file are refused before anything is built"
