#!/usr/bin/env bash
# Installs every Debian package the project needs; does nothing when all are present.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev googletest
    # fuzzing and sanitizers
    clang libclang-rt-14-dev
    # fonts the reports are measured and drawn with
    fonts-liberation fonts-dejavu-core fontconfig
    # headless windows and screenshots
    xvfb xauth openbox xdotool imagemagick
    # independent readers used by the tests
    qpdf poppler-utils python3 python3-xlrd libreoffice-calc-nogui
    # a private print scheduler with a PDF queue for the printing test
    cups printer-driver-cups-pdf
    # the benchmark's peer, and profiling
    python3-reportlab linux-perf valgrind
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
