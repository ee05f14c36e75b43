#!/usr/bin/env bash
# Builds the Debian package and installs it on a fresh Debian 12 root made by
# debootstrap, then starts Zendra from the installed files under Xvfb, opens
# an encrypted consultation given on the command line and takes screenshots.
# Run as root: bash scripts/test-package.sh [ROOTDIR]
# Screenshots land in build/package-test/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
root=${1:-/var/tmp/zendra-debian12}
out="$here/build/package-test"
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap and chroot need it)" >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

bash "$here/scripts/setup.sh" build
(cd "$here/build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$here"/build/zendra_*.deb | head -n 1)
echo "package: $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,/Description:/p'

if [ ! -x "$root/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
cleanup() {
  pkill -f "Xvfb :93" 2>/dev/null || true
  for m in dev/pts dev proc sys; do
    if mountpoint -q "$root/$m"; then umount -l "$root/$m" || true; fi
  done
}
trap cleanup EXIT
mount --bind /proc "$root/proc"
mount --bind /sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf"

cp "$deb" "$root/tmp/zendra.deb"
# An encrypted consultation written by the host's zendra-cli, opened by the installed program.
printf 'Otázka: kam vede cesta?\n' | "$here/build/cli/zendra-cli" save "$root/tmp/zkouska.txg" --password tajne

chroot "$root" /bin/bash -euo pipefail <<'IN'
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
apt-get update -qq
apt-get install -y -qq /tmp/zendra.deb >/dev/null
apt-get install -y -qq --no-install-recommends xvfb openbox xdotool imagemagick xauth xdg-utils >/dev/null
# A stand-in browser that notes the address it was asked to show.
printf '#!/bin/sh\necho "$1" > /tmp/opened-url\n' > /usr/local/bin/note-url
chmod +x /usr/local/bin/note-url
echo "installed files:"; dpkg -L zendra | grep -E 'bin/|\.desktop|metainfo|mime/packages|man1|256x256'
test -x /usr/bin/zendra && test -x /usr/bin/zendra-cli
zendra-cli number 999999
zendra-cli open /tmp/zkouska.txg --password tajne
grep -q 'x-zendra-consultation' /usr/share/mime/packages/cz.tavlo.Zendra.xml
test -f /usr/share/mime/application/x-zendra-consultation.xml && echo "MIME database knows *.txg"
IN

mkdir -p "$out"
chroot "$root" /bin/bash -uo pipefail <<'IN'
export LC_ALL=C.UTF-8 HOME=/root DISPLAY=:93 BROWSER=/usr/local/bin/note-url
Xvfb :93 -screen 0 1280x800x24 >/dev/null 2>&1 &
sleep 2
openbox >/dev/null 2>&1 &
sleep 1
zendra /tmp/zkouska.txg >/tmp/zendra.log 2>&1 &
# The logo, then the password prompt of the encrypted file.
for i in $(seq 1 30); do
  sleep 1
  w=$(xdotool search --name 'Heslo' 2>/dev/null | head -n 1) && [ -n "$w" ] && break
done
import -window root /tmp/1-password.png
xdotool windowactivate --sync "$w" 2>/dev/null; xdotool type --delay 80 tajne; xdotool key Return
sleep 2
import -window root /tmp/2-opened.png
title=$(xdotool search --name 'zkouska.txg' getwindowname 2>/dev/null | head -n 1)
echo "main window after the password: ${title:-no window names the file}"
# The help, from the menu, through the desktop's browser.
rm -f /tmp/opened-url
xdotool key alt+v; sleep 1; xdotool key n; sleep 3
url=$(cat /tmp/opened-url 2>/dev/null)
echo "help address handed to the browser: ${url:-none}"
case "$url" in
  file:///usr/share/zendra/help/index.html) test -f /usr/share/zendra/help/index.html && echo "the installed guide is there" ;;
esac
import -window root /tmp/3-after-help.png
pkill zendra; sleep 1
IN
cp "$root"/tmp/*.png "$out/"
echo "screenshots: $out"
