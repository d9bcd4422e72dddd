#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix.
#   wine-run.sh [--prefix DIR] program.exe [args...]
# Without DISPLAY it starts (once) a private Xvfb so GUI tests have a screen.
# It keeps one wineserver alive for a while after the last program ends, so a
# test run of many executables pays the server start-up only once.
set -u

prefix=""
if [ "${1:-}" = "--prefix" ]; then prefix=$2; shift 2; fi
[ -n "$prefix" ] || prefix=${LINGORIX_WINEPREFIX:-$(pwd)/wineprefix}
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

if [ -z "${DISPLAY:-}" ]; then
  num=${LINGORIX_XVFB_DISPLAY:-91}
  (
    flock 9
    if [ ! -S /tmp/.X11-unix/X$num ]; then
      rm -f /tmp/.X$num-lock
      setsid Xvfb :$num -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null 9>&- &
      for _ in $(seq 1 100); do [ -S /tmp/.X11-unix/X$num ] && break; sleep 0.05; done
    fi
  ) 9>/tmp/lingorix-xvfb-$num.lock
  export DISPLAY=:$num
fi

(
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
    touch "$prefix/.ready"
  fi
  # Keeps the server up between the test executables; it ends by itself 30 s after the
  # last program ("-p30" in one word: "-p 30" would keep it forever). It exits with 0 only
  # when it started a new server; then the prefix's background services are started here,
  # with harmless standard handles. Started by the program below instead, they would
  # inherit its output pipe and keep whoever reads it (ninja, CTest) waiting for as long
  # as the server lives.
  if setsid -w wineserver -p30 >/dev/null 2>&1 </dev/null 9>&-; then
    wineboot >/dev/null 2>&1 </dev/null 9>&-
  fi
) 9>"$prefix.lock"

exec wine "$@"
