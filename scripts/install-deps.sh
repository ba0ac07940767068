#!/usr/bin/env bash
# Installs the Debian packages the game, its resource build and its tests
# need. Quick when everything is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config clang
  libsdl1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev libx11-dev
  libcurl4-openssl-dev
  libcairo2-dev libjpeg-dev
  libvorbis-dev libxmp-dev
  fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils x11-xserver-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
