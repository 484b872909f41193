#!/usr/bin/env bash
# Installs everything the project needs on Debian 12: compilers (native, clang for the
# fuzzers, MinGW-w64 for the Windows programs), the libraries we include, what the
# end-to-end tests drive the Windows programs with (Wine, Xvfb, xdotool, ImageMagick),
# debootstrap, which makes the Debian 13 root whose Wine runs both builds
# (scripts/wine_root.sh), GTK 3 for the native Linux clock with openbox, the window
# manager of its tests, and weston and XWayland for its Wayland tests, and the web page's
# compiler (emscripten) and browser (Chromium, driven through Selenium).
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libstb-dev libpng-dev libjpeg62-turbo-dev libgif-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 xvfb xdotool x11-utils xclip imagemagick fonts-ipafont-gothic locales zip unzip strace
  debootstrap util-linux
  libgtk-3-dev openbox x11-xserver-utils weston xwayland
  emscripten chromium chromium-driver python3-selenium
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
