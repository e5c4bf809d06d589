#!/bin/sh
# Installs every Debian 12 package that building, running and testing Floemark Simulator need.
# Quick when they are all there already; uses apt-get as root and sudo otherwise.
# The sound tests run on PulseAudio and on PipeWire with its PulseAudio server (pipewire,
# wireplumber, pipewire-pulse), whose WirePlumber wants a session bus (dbus-daemon); the game
# is built with libpipewire's headers (it loads the library where PipeWire runs).
set -e

PACKAGES="
  build-essential cmake ninja-build pkg-config git ca-certificates clang-format ccache
  clang libclang-rt-14-dev llvm
  qt6-base-dev qt6-qpa-plugins qt6-wayland qt6-svg-dev
  libsdl2-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils libx11-dev libxtst-dev
  openbox wmctrl x11-xserver-utils x11-xkb-utils weston xwayland
  xserver-xorg-core xserver-xorg-video-dummy
  fonts-liberation2 fonts-dejavu-core
  desktop-file-utils appstream appstream-compose man-db libglib2.0-bin dpkg-dev file debootstrap
  lintian
  pulseaudio pulseaudio-utils libpulse-dev libpipewire-0.3-dev
  pipewire pipewire-pulse wireplumber dbus-daemon
  emscripten chromium
"
# Node.js and npm for the browser build's tests: Debian's, unless a Node.js of another origin
# (which brings its own npm and conflicts with Debian's) is there already.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  PACKAGES="$PACKAGES nodejs npm"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  echo "setup: installing$missing"
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# The browser tests' driver, at the version package-lock.json pins.
web=$(dirname "$0")/web/tests
if [ -f "$web/package-lock.json" ] && [ ! -d "$web/node_modules" ]; then
  (cd "$web" && npm ci --no-audit --no-fund --ignore-scripts)
fi
