# Sourced by the scripts that run Windows programs. Picks the Windows build
# tree whose programs this machine can run and sets Wine up for it:
#   build/win32  the 32-bit product, when the kernel executes 32-bit code
#   build/win64  the same sources built for 64-bit Windows, otherwise (some
#                virtual machines have no 32-bit support, and Debian's Wine
#                then has only its 64-bit loader)
# Sets MERIDAN_WIN_TREE, WINEPREFIX (inside that tree), WINELOADER.

meridan_can_run_i386() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

meridan_wine_setup() {  # $1 = repository root, $2 = optional tree
  if [ -n "${2:-}" ]; then
    MERIDAN_WIN_TREE=$2
  elif meridan_can_run_i386; then
    MERIDAN_WIN_TREE=win32
  else
    MERIDAN_WIN_TREE=win64
  fi
  export WINEPREFIX="$1/build/$MERIDAN_WIN_TREE/wineprefix"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  if [ "$MERIDAN_WIN_TREE" = win32 ]; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  fi
}
