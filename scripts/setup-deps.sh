#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the program.
set -euo pipefail

packages=(
  cmake g++ pkg-config make clang-format
  qt6-base-dev qt6-declarative-dev qt6-multimedia-dev qt6-tools-dev-tools
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml-workerscript
  qml6-module-qttest qml6-module-qtquick-layouts qml6-module-qtquick-controls
  qml6-module-qtquick-templates qml6-module-qtmultimedia
  libhidapi-dev libudev-dev libevdev-dev libglib2.0-dev libglib2.0-bin
  gsettings-desktop-schemas
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgl-dev
  fonts-dejavu-core fonts-wqy-microhei
  qt6-declarative-dev-tools qml6-module-qtqml qml6-module-qtqml-models
  desktop-file-utils appstream groff-base dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
