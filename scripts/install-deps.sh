#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Quenda need.
set -e
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake pkg-config git clang libclang-rt-14-dev clang-format \
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6-dev qt6-qpa-plugins \
    libgl-dev libx11-dev libxtst-dev libpulse-dev libsndfile1-dev libglib2.0-dev xdg-utils \
    googletest libgtest-dev libgmock-dev \
    xvfb xauth x11-utils x11-apps xdotool imagemagick trayer matchbox-window-manager \
    tesseract-ocr tesseract-ocr-eng \
    pulseaudio pulseaudio-utils dbus python3 python3-dbusmock socat \
    fonts-dejavu-core >/dev/null
