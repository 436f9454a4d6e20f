# Shared by the Windows build and test scripts: the cache, Debian's source
# packages through an apt folder of their own, SDL 1.2 and GoogleTest built
# for Windows, the version. Sourced, not run; needs $root (the checkout) and
# $work (a scratch folder the caller removes).

source "$root/scripts/version.sh"
mingw=x86_64-w64-mingw32
# What was built once is kept for the next run, in a folder named by what it
# was built from, so that a new source, compiler or recipe builds anew.
if [[ $(id -u) -eq 0 ]]; then
    cache=/var/cache/orbostrak
else
    cache=${XDG_CACHE_HOME:-$HOME/.cache}/orbostrak
fi
mkdir -p "$cache"

# The version the packages carry: ORBOSTRAK_VERSION where set (a snapshot
# such as 1.0.0+git20261209.abc1234), else the CMake project's.
windows_version() {
    if [[ -n ${ORBOSTRAK_VERSION:-} ]]; then
        echo "$ORBOSTRAK_VERSION"
    else
        project_version "$root"
    fi
}

# What a snapshot's version adds to the release's: +git20261209.abc1234.
windows_snapshot() {
    local version release
    version=$(windows_version)
    release=$(project_version "$root")
    [[ $version == "$release"* ]] || { echo "windows: $version is no version of $release" >&2; return 1; }
    echo "${version#"$release"}"
}

# The time every packed file carries: SOURCE_DATE_EPOCH, else the commit's.
windows_epoch() {
    if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
        echo "$SOURCE_DATE_EPOCH"
    else
        git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800
    fi
}

compiler_version() { "$mingw-g++-posix" --version | head -n 1; }

# apt-get with a list of Debian's source archives of its own, made from the
# archives this machine's apt uses, so that the system's setup is untouched.
source_apt() {
    local apt=$work/apt
    if [[ ! -d $apt ]]; then
        mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
        # apt fetches as its own user where it can reach the folder
        chmod a+rx "$work" "$apt" "$apt/lists" "$apt/cache" "$apt/cache/archives"
        apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT) $(ORIGIN)' \
            'Created-By: Packages' | awk '$4 == "Debian" { print "deb-src", $1, $2, $3 }' |
            sort -u >"$apt/sources.list"
        [[ -s $apt/sources.list ]] || { echo "windows: apt uses no Debian archive" >&2; return 1; }
        source_apt update -qq
    fi
    apt-get -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null \
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" "$@"
}

# The source package apt would fetch for $1, as its .dsc file's name.
source_dsc() {
    source_apt source --print-uris -qq "$1" | awk '$2 ~ /\.dsc$/ { print $2, $4; exit }'
}

# SDL 1.2.15 from Debian's libsdl1.2 source package, with Debian's patches,
# built for Windows: what the game needs (video through GDI or DirectDraw,
# sound through waveOut or DirectSound, the disk and dummy drivers, pads,
# timers, threads), without CD audio or OpenGL. Built reproducibly: no
# build folder in the DLL, no link time in its header. Prints the folder
# it was installed into (bin/SDL.dll, lib/, include/SDL/, COPYING).
sdl_configure_flags=(--host=$mingw --disable-static --enable-shared --disable-cdrom
    --disable-video-opengl --disable-assembly --disable-nasm)
windows_sdl() {
    local dsc key prefix
    dsc=$(source_dsc libsdl1.2)
    [[ -n $dsc ]] || { echo "windows: apt finds no libsdl1.2 source package" >&2; return 1; }
    key=$( (echo "$dsc"; compiler_version; declare -f windows_sdl; echo "${sdl_configure_flags[*]}") |
        sha256sum | cut -c1-16)
    prefix=$cache/windows-sdl-${dsc%% *}-$key
    prefix=${prefix/.dsc/}
    if [[ ! -f $prefix/bin/SDL.dll ]]; then
        echo "Building SDL for Windows from ${dsc%% *} ($prefix)" >&2
        local src=$work/sdl-source build=$work/sdl-build
        mkdir -p "$src" "$build"
        (cd "$src" && source_apt source -qq libsdl1.2 >/dev/null 2>&1) ||
            { echo "windows: apt-get source libsdl1.2 failed" >&2; return 1; }
        local tree
        tree=$(find "$src" -mindepth 1 -maxdepth 1 -type d | head -n 1)
        (cd "$build" && "$tree/configure" "${sdl_configure_flags[@]}" --prefix="$prefix.part" \
            CFLAGS="-O2 -ffile-prefix-map=$tree=sdl -ffile-prefix-map=$build=sdl" \
            LDFLAGS="-Wl,--no-insert-timestamp" >configure.log 2>&1 &&
            make -j"$(nproc)" >make.log 2>&1 && make install >install.log 2>&1) ||
            { tail -n 30 "$build"/*.log >&2; return 1; }
        cp "$tree/COPYING" "$prefix.part/COPYING"
        echo "${dsc%% *}" >"$prefix.part/source.txt"
        rm -rf "$prefix"
        mv "$prefix.part" "$prefix"
    fi
    echo "$prefix"
}

# GoogleTest from Debian's googletest package, built for Windows.
windows_gtest() {
    local key prefix
    key=$( (dpkg-query -W -f='${Version}' googletest; compiler_version; declare -f windows_gtest) |
        sha256sum | cut -c1-16)
    prefix=$cache/windows-gtest-$key
    if [[ ! -f $prefix/lib/libgtest.a ]]; then
        echo "Building GoogleTest for Windows ($prefix)" >&2
        cmake -S /usr/src/googletest -B "$work/gtest-build" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DBUILD_GMOCK=OFF \
            -DCMAKE_INSTALL_PREFIX="$prefix.part" >/dev/null &&
            cmake --build "$work/gtest-build" -j"$(nproc)" >/dev/null &&
            cmake --install "$work/gtest-build" >/dev/null ||
            { echo "windows: GoogleTest did not build" >&2; return 1; }
        rm -rf "$prefix"
        mv "$prefix.part" "$prefix"
    fi
    echo "$prefix"
}

# The game built for Windows in $1 with the CMake options after it.
windows_game() {
    local build=$1 sdl=$2
    shift 2
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DORBOSTRAK_WINDOWS_SDL="$sdl" -DORBOSTRAK_SNAPSHOT="$(windows_snapshot)" "$@" >/dev/null
}
