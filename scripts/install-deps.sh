#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Does nothing when all of them are already present.
set -euo pipefail

packages=(
    cmake ninja-build g++ ccache clang clang-format pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5svg5-dev qtscript5-dev
    qttools5-dev qttools5-dev-tools
    liblog4cxx-dev
    libbenchmark-dev
    xvfb xauth
    sumo sumo-tools libxml2-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
