#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix.
#   wine-run.sh [--prefix DIR] program.exe [args...]
# Without a usable DISPLAY, or when asked to, it starts (once) a private Xvfb screen.
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

# Tests ask for the private screen (LINGORIX_PRIVATE_DISPLAY=1) so that they never depend
# on, or draw on, whatever display the caller has; a DISPLAY that cannot be opened (set by a
# login shell or a CI runner without a server behind it) falls back to it as well, since
# Wine cannot create a single window there.
use_private=0
if [ "${LINGORIX_PRIVATE_DISPLAY:-0}" = 1 ] || [ -z "${DISPLAY:-}" ]; then
  use_private=1
elif ! timeout 5 xdpyinfo >/dev/null 2>&1; then
  echo "wine-run.sh: display '$DISPLAY' cannot be opened; using a private Xvfb screen" >&2
  use_private=1
fi

if [ "$use_private" = 1 ]; then
  num=${LINGORIX_XVFB_DISPLAY:-91}
  unset XAUTHORITY
  (
    flock 9
    if ! DISPLAY=:$num xdpyinfo >/dev/null 2>&1; then
      rm -f /tmp/.X$num-lock /tmp/.X11-unix/X$num
      setsid Xvfb :$num -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null 9>&- &
      for _ in $(seq 1 200); do DISPLAY=:$num xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
      DISPLAY=:$num xdpyinfo >/dev/null 2>&1 ||
        { echo "wine-run.sh: the private Xvfb screen :$num did not start" >&2; exit 1; }
    fi
  ) 9>/tmp/lingorix-xvfb-$num.lock || exit 1
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
