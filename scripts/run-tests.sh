#!/bin/sh
# Runs the native tests with ctest, then the Windows tests under Wine through
# ctest: one Wine prefix inside build/win32, one persistent wineserver for the
# whole run (stopped at the end, also on failure) and an Xvfb display for the
# tests that open windows. Exits non-zero when either run fails.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
which="${1:-all}"
status=0

if [ "$which" = all ] || [ "$which" = native ]; then
  echo "=== native tests (build/native) ==="
  ctest --test-dir "$root/build/native" --output-on-failure --timeout 900 || status=1
fi

if [ "$which" = all ] || [ "$which" = win32 ]; then
  echo "=== Windows tests under Wine (build/win32) ==="
  export WINEPREFIX="$root/build/win32/wineprefix"
  export WINEDEBUG=-all WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml="
  # The inner script keeps one wineserver alive for every test program and
  # stops it however ctest ends.
  xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "creating the Wine prefix (once, about half a minute)"
      wineboot --init >/dev/null 2>&1
      wineserver -w
    fi
    wineserver -p
    trap "wineserver -k 2>/dev/null" EXIT
    ctest --test-dir "$0/build/win32" --output-on-failure --timeout 900
  ' "$root" || status=1
fi

exit $status
