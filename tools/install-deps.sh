#!/bin/sh
# Installs, with apt-get, whatever of the build and test tools is missing on a
# Debian 12 machine. Quick and silent when everything is there already.
# Both Wines are installed: 32-bit Wine runs the 32-bit program where the host
# runs 32-bit code, 64-bit Wine the x86-64 one everywhere (tools/wine-host.sh
# picks by trying them, so an installed wine32 that cannot run does no harm).
set -eu

PACKAGES="cmake make g++ googletest libgtest-dev
g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
wine wine32:i386 wine64 xvfb xauth xdotool
python3 python3-pil python3-pefile python3-matplotlib fonts-nanum fonts-nanum-extra fonts-dejavu-core"

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" != 0 ]; then
    if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
        echo "Need root (or sudo) to install:$missing" >&2; exit 1
    fi
fi
case "$missing" in
    *:i386*)
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            $SUDO dpkg --add-architecture i386
        fi ;;
esac
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
