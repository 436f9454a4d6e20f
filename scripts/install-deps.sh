#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those
# missing. Usage: scripts/install-deps.sh [--tests]
set -euo pipefail

packages=(libsdl1.2-dev cmake g++ make)
if [[ "${1:-}" == "--tests" ]]; then
    # libsdl1.2-compat: SDL 1.2 over SDL 2, which the tests also run on.
    packages+=(libgtest-dev xvfb xdotool imagemagick x11-apps x11-utils libsdl1.2-compat)
    # The install and package tests: the checkers and the Debian tool chain.
    packages+=(desktop-file-utils appstream file man-db build-essential dpkg-dev
               debhelper fakeroot lintian)
fi

missing=()
for p in "${packages[@]}"; do
    if [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) != "install ok installed" ]]; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        cat >&2 <<EOF
These Debian packages are needed and not installed: ${missing[*]}
Installing them takes root, and sudo is not available. As root, run:
    apt-get update && apt-get install ${missing[*]}
then run this again.
EOF
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
