#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those
# missing. Usage: scripts/install-deps.sh [GROUP...]
# With --tests, the packages of the Linux test suite besides the game's;
# with --windows, those that build the game for Windows; with
# --windows-tests, those that test it there, under Wine; with --web, the
# compiler of the game's web page; with --web-tests, the browsers and their
# drivers that the page's tests run it in.
set -euo pipefail

packages=(libsdl1.2-dev cmake g++ make)
tests=false
for group in "$@"; do
    case $group in
    --tests)
        tests=true
        packages+=(libgtest-dev xvfb xdotool imagemagick x11-apps x11-utils)
        # A headless Wayland desktop with XWayland, and window decorations
        # drawn by the client, as weston asks of it.
        packages+=(weston xwayland libdecor-0-plugin-1-cairo)
        # The install and package tests: the checkers and the Debian tool chain.
        packages+=(desktop-file-utils appstream file man-db build-essential dpkg-dev
                   debhelper fakeroot lintian)
        ;;
    --windows)
        # The game built for Windows: mingw-w64, SDL 1.2 built from Debian's
        # source package (apt-get source unpacks it with dpkg-source), the
        # icon tool built for this machine, the zip and the installer.
        packages+=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils python3 nsis)
        ;;
    --windows-tests)
        # Its tests under Wine: GoogleTest's source to build for Windows,
        # a screen to show the window on and the keys to press, screenshots,
        # and ALSA for Wine's sound, caught by ALSA's file plugin.
        # The Linux build's export of the title frame builds its tests' folder.
        packages+=(wine wine64 googletest xvfb xdotool imagemagick x11-apps x11-utils
                   libasound2 unzip libgtest-dev)
        ;;
    --web)
        # Debian's Emscripten, with its node, clang and Binaryen; its SDL
        # 1.2 interface is part of it.
        packages+=(emscripten)
        ;;
    --web-tests)
        # Headless Chromium through chromium-driver and Selenium; Firefox
        # over WebDriver BiDi, a web socket; ImageMagick reads their
        # screenshots. The native tools the page is held against are
        # configured with the test suite.
        packages+=(chromium chromium-driver python3-selenium firefox-esr python3-websocket
                   imagemagick libgtest-dev)
        ;;
    *)
        echo "install-deps: no such group: $group" >&2
        exit 2
        ;;
    esac
done

installed() { [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]; }

# Installs those of the named packages that are missing, as root or through
# sudo; without either it names them and the command to run, and stops.
install_missing() {
    local missing=() p sudo=()
    for p in "$@"; do
        installed "$p" || missing+=("$p")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    if [[ $(id -u) -ne 0 ]]; then
        if ! command -v sudo >/dev/null; then
            cat >&2 <<MESSAGE
These Debian packages are needed and not installed: ${missing[*]}
Installing them takes root, and sudo is not available. As root, run:
    apt-get update && apt-get install ${missing[*]}
then run this again.
MESSAGE
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    # another install under way is waited for, not failed
    "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
        --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

# Where the system's SDL 1.2 is the classic library, the tests also run on
# sdl12-compat (SDL 1.2 over SDL 2), which installs beside it. Elsewhere the
# system's SDL 1.2 is sdl12-compat already, and there is no second one.
if $tests && [[ $(dpkg-query -W -f='${source:Package}' libsdl1.2debian 2>/dev/null) == libsdl1.2 ]]; then
    install_missing libsdl1.2-compat
fi
