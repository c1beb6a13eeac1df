#!/usr/bin/env bash
# Installs, from Debian's packages, everything Brindlemark needs to build and
# test, and the packages named on the command line (a script that alone needs
# a tool asks for it). Installs only what is missing, so it is cheap to run
# again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config python3
    clang libclang-rt-14-dev libfuzzer-14-dev
    juce-modules-source
    libasound2-dev libfreetype-dev libx11-dev libxext-dev libxinerama-dev libxrandr-dev libxcursor-dev
    fonts-dejavu-core fonts-liberation
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth x11-utils
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
