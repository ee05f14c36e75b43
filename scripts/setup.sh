#!/usr/bin/env bash
# Sets up a fresh Debian machine for Zendra, builds it and then either starts
# it (bash scripts/setup.sh start) or runs every test (bash scripts/setup.sh test).
set -euo pipefail
action=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6multimedia6
      qt6-l10n-tools qt6-translations-l10n libgl-dev fonts-dejavu-core
      clang libclang-rt-14-dev
      lhasa jlha-utils python3-pycryptodome openssl python3 hunspell hunspell-cs
      desktop-file-utils appstream dpkg-dev
      xvfb openbox xdotool imagemagick xauth x11-utils sox poppler-utils python3-xlib
      linux-perf)
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

build="$here/build"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"

case "$action" in
  start)
    exec "$build/zendra" ;;
  test)
    (cd "$build" && ctest --output-on-failure -j "$(nproc)")
    bash "$here/scripts/fuzz-short.sh" 20 ;;
  build) ;;
  *) echo "usage: $0 [start|test|build]" >&2; exit 2 ;;
esac
