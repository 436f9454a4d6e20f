#!/usr/bin/env bash
# The version and its day are written once, at the top of CMakeLists.txt;
# every other place that names them follows: the newest entries of
# debian/changelog and NEWS.md, and the files a build makes from them (the
# metainfo's release and the manual page's heading on Linux, the program's
# version resource on Windows).
#   version_check.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build=$2
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

source "$source_dir/scripts/version.sh"
version=$(project_version "$source_dir")
day=$(sed -n 's/^set(ORBOSTRAK_RELEASE_DATE \([0-9-]*\))$/\1/p' "$source_dir/CMakeLists.txt")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ && $day =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] ||
    { echo "FAIL: no version and day at the top of CMakeLists.txt (found '$version', '$day')"; exit 1; }

# debian/changelog, read as dpkg reads it.
changelog=$source_dir/debian/changelog
entry=$(head -n 1 "$changelog")
[[ $entry == "orbostrak ($version-1) "* ]] || fail "debian/changelog begins with '$entry', not version $version-1"
signed=$(grep -m 1 '^ -- ' "$changelog" | sed 's/.*>  //')
[[ $(date -u -d "$signed" +%F 2>/dev/null) == "$day" ]] ||
    fail "debian/changelog's newest entry is of '$signed', not of $day"

news=$(grep -m 1 '^## ' "$source_dir/NEWS.md")
[[ $news == "## $version ($day)" ]] || fail "NEWS.md's newest release is '$news', not '## $version ($day)'"

# What the build made from them: a snapshot's build names its own version.
snapshot=$(sed -n 's/^ORBOSTRAK_SNAPSHOT:STRING=//p' "$build/CMakeCache.txt")
snapshot_day=$(sed -n 's/^ORBOSTRAK_SNAPSHOT_DATE:STRING=//p' "$build/CMakeCache.txt")
built=$version$snapshot
built_day=${snapshot_day:-$day}
made=0
metainfo=$build/dist/io.github.orbostrak.orbostrak.metainfo.xml
if [[ -e $metainfo ]]; then
    made=$((made + 1))
    grep -q "<release version=\"$built\" date=\"$built_day\">" "$metainfo" ||
        fail "the metainfo's release is not $built of $built_day: $(grep '<release ' "$metainfo")"
    heading=$(head -n 1 "$build/dist/orbostrak.6")
    [[ $heading == ".TH ORBOSTRAK 6 $built_day \"orbostrak $built\" \"Games\"" ]] ||
        fail "the manual page's heading is '$heading', not of $built of $built_day"
fi
# The Windows program's version resource: the four numbers and the text.
resource=$build/dist/windows/orbostrak.rc
if [[ -e $resource ]]; then
    made=$((made + 1))
    [[ $(grep -c "VERSION ${version//./,},0$" "$resource") == 2 &&
        $(grep -c "Version\", \"$built\"$" "$resource") == 2 ]] ||
        fail "the version resource does not name $version and $built: $(grep -i version "$resource")"
fi
((made > 0)) || fail "the build in $build made none of the files that name the version"

((fails == 0)) || exit 1
echo "version: $built of $built_day in CMakeLists.txt, debian/changelog, NEWS.md, metainfo and manual page"
