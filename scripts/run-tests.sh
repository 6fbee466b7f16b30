#!/bin/sh
# Runs the native tests with ctest, then the Windows tests under Wine through
# ctest: one Wine prefix inside the Windows build tree, one persistent
# wineserver for the whole run (stopped at the end, also on failure) and an
# Xvfb display for the tests that open windows. Exits non-zero when either
# run fails. Usage: run-tests.sh [native|windows|all] [ctest arguments...]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
which="${1:-all}"
[ $# -gt 0 ] && shift
status=0

if [ "$which" = all ] || [ "$which" = native ]; then
  echo "=== native tests (build/native) ==="
  ctest --test-dir "$root/build/native" --output-on-failure --timeout 900 "$@" || status=1
fi

if [ "$which" = all ] || [ "$which" = windows ]; then
  meridan_wine_setup "$root"
  if [ "$MERIDAN_WIN_TREE" = win64 ]; then
    echo "=== Windows tests under Wine (build/win64: this machine cannot run 32-bit programs) ==="
  else
    echo "=== Windows tests under Wine (build/win32) ==="
  fi
  export MERIDAN_ROOT="$root" MERIDAN_WIN_TREE
  xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "creating the Wine prefix (once, about half a minute)"
      "$WINELOADER" wineboot --init >/dev/null 2>&1
      wineserver -w
    fi
    wineserver -p
    trap "wineserver -k 2>/dev/null" EXIT
    # Start the prefix services now, detached from ctest: a service started
    # by the first test would inherit the output pipe of ctest and keep ctest
    # waiting for it to close.
    "$WINELOADER" wineboot >/dev/null 2>&1 </dev/null
    ctest --test-dir "$MERIDAN_ROOT/build/$MERIDAN_WIN_TREE" --output-on-failure --timeout 900 "$@"
  ' sh "$@" || status=1
fi

exit $status
