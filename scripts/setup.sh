#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Zendra.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6multimedia6
      qt6-l10n-tools libgl-dev fonts-dejavu-core
      clang libclang-rt-14-dev
      lhasa jlha-utils python3-pycryptodome openssl python3
      xvfb openbox xdotool imagemagick xauth x11-utils)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
