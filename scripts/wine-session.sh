#!/usr/bin/env bash
# Runs a command with the Windows build's Wine prefix ready and one wineserver
# kept up for its whole length (each Wine start then costs about a second).
# Usage: wine-session.sh [--cp1252] <win32 build dir> <command> [args...]
# The prefix has a Japanese locale (code page 932); with --cp1252 it is a
# second prefix of its own whose locale has code page 1252, for the program
# under a system locale that is not Japanese.
set -euo pipefail
locale=ja_JP.UTF-8
prefix=wineprefix
if [ "${1:-}" = "--cp1252" ]; then
    locale=C.UTF-8
    prefix=wineprefix-cp1252
    shift
fi
build_dir=$(cd "$1" && pwd)
shift
export WINEARCH=win32
export WINEPREFIX="$build_dir/$prefix"
export LANG=$locale
export LC_ALL=$locale
export WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-session: creating the 32-bit prefix $WINEPREFIX ($locale)"
    mkdir -p "$WINEPREFIX"
    # No Mono or Gecko installers: they would wait for a click under Xvfb.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager under Xvfb, Wine waits about two seconds on
    # every hide or destroy of a managed window; unmanaged windows do not.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w
fi
# Reuse a server that is already up for this prefix (-p then exits non-zero).
wineserver -p || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Start Wine's own services now, detached from our output: started by the
# first test instead, they would inherit its pipes and keep CTest waiting for
# the end of that test's output as long as the wineserver lives.
wine wineboot </dev/null >/dev/null 2>&1 || true
status=0
"$@" || status=$?
exit $status
