#!/bin/sh
# Installs the cross compiler, Wine and Xvfb when they are missing; a quick
# no-op once everything is there. Runs unattended (no terminal, as root).
set -eu

need=""
have() { command -v "$1" >/dev/null 2>&1; }

have cmake || need="$need cmake"
have g++ || need="$need g++"
have make || need="$need make"
have i686-w64-mingw32-g++-posix || need="$need g++-mingw-w64-i686"
have i686-w64-mingw32-windres || need="$need binutils-mingw-w64-i686"
# The 64-bit Windows build runs the Windows tests where 32-bit code cannot run.
have x86_64-w64-mingw32-g++-posix || need="$need g++-mingw-w64-x86-64"
have xvfb-run || need="$need xvfb"
have xauth || need="$need xauth"
[ -d /usr/src/googletest ] || need="$need googletest"
have wine || need="$need wine"
# make fuzz builds the table parsers' libFuzzer targets with clang.
have clang++ || need="$need clang"
if ! dpkg -s wine32:i386 >/dev/null 2>&1; then need="$need wine32:i386"; fi
if ! dpkg -s wine64 >/dev/null 2>&1; then need="$need wine64"; fi

[ -z "$need" ] && exit 0

echo "install-deps: installing$need"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
case "$need" in
  *i386*) $SUDO dpkg --add-architecture i386 ;;
esac
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q </dev/null
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $need </dev/null
