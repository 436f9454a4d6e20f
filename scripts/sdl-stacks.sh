# Shared by the test and benchmark scripts: where this system's SDL 1.2
# libraries are, and how to start a headless weston on it. Sourced, not run.

# The folders to load SDL 1.2 from, one a line: first none of its own (the
# system's), then sdl12-compat's own folder where it installs beside a
# classic library, which the same binaries load through LD_LIBRARY_PATH.
sdl12_folders() {
    echo
    if [[ $(dpkg-query -W -f='${Status}' libsdl1.2-compat 2>/dev/null) == "install ok installed" ]]; then
        # the whole answer first: grep stops reading early, and under
        # pipefail the SIGPIPE that the reader then gets would fail the script
        local listed
        listed=$(dpkg -L libsdl1.2-compat)
        dirname "$(grep '/libSDL-1.2.so.0$' <<<"$listed" | head -n 1)"
    fi
}

# weston's headless back end with its software renderer, as the installed
# weston names them: weston 10 of Debian 12 says it its way.
weston_headless=(--backend=headless --renderer=pixman)
if command -v weston >/dev/null &&
    (($(weston --version | awk '{ split($2, v, "."); print v[1] }') < 11)); then
    weston_headless=(--backend=headless-backend.so --use-pixman)
fi

# Whether the stack named $1 opens a window on Wayland alone. The classic
# library has no Wayland of its own; Debian 12's SDL 2.26 crashes in its own
# Wayland start-up under a headless weston 10, whatever the program
# (SDL_Init alone does it).
wayland_alone_works() {
    [[ $1 != classic* && $1 != *" over SDL 2.2"[0-9].* ]]
}
