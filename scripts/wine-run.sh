#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix.
#   wine-run.sh [--prefix DIR] program.exe [args...]
# Without a usable DISPLAY, or when asked to, it starts (once) a private Xvfb screen,
# where programs run inside a Wine virtual desktop.
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

usable() { DISPLAY=:$1 timeout 5 xdpyinfo >/dev/null 2>&1; }

# Starts Xvfb on :$1 unless a server there already answers. A number held by a server that
# will not let us in (another user's, say) is given up for the next one.
start_screen() {
  usable "$1" && return 0
  [ -S /tmp/.X11-unix/X$1 ] || rm -f /tmp/.X$1-lock 2>/dev/null
  # Only the standard handles, and those on /dev/null: a screen that outlives this script
  # must not hold a pipe of whoever started it open.
  (
    for fd in /proc/$BASHPID/fd/*; do
      fd=${fd##*/}
      [ "$fd" -gt 2 ] && eval "exec $fd>&-"
    done
    exec setsid Xvfb :$1 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null
  ) &
  local pid=$!
  # Whoever asked for it (the test script) stops it at the end.
  [ -n "${LINGORIX_XVFB_PIDFILE:-}" ] && echo "$pid" >> "$LINGORIX_XVFB_PIDFILE"
  for _ in $(seq 1 200); do
    usable "$1" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

if [ "$use_private" = 1 ]; then
  unset XAUTHORITY
  base=${LINGORIX_XVFB_DISPLAY:-91}
  num=$(
    (
      flock 9
      for n in $(seq "$base" $((base + 8))); do
        if start_screen "$n"; then echo "$n"; exit 0; fi
      done
      exit 1
    ) 9>"${TMPDIR:-/tmp}/lingorix-xvfb.lock"
  ) || { echo "wine-run.sh: no private Xvfb screen could be started (tried :$base to :$((base + 8)))" >&2; exit 1; }
  export DISPLAY=:$num
fi

# On the private screen every program runs inside one Wine virtual desktop the size of the
# screen. Without a window manager, Wine waits about two seconds for one that never answers
# each time a shown window is hidden or destroyed; inside the desktop Wine manages its
# windows itself, so that wait is gone. The desktop is set in the prefix's registry rather
# than with "explorer /desktop=...", which would swallow the program's exit code. On the
# caller's own display the program keeps plain windows among the caller's others.
desktop=""
if [ "$use_private" = 1 ]; then
  desktop=$(timeout 5 xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2; exit }')
  [ -n "$desktop" ] || desktop=1280x1024
fi

set_desktop() {
  if [ -n "$desktop" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
  else
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 </dev/null
  fi
  wineserver -w
}

(
  flock 9
  # The prefix's desktop and services belong to the display they started on. A program on
  # another display (the tests' private screen after a build on the caller's), or wanting
  # the other kind of desktop, gets a fresh server rather than a desktop it cannot draw on.
  state="$DISPLAY ${desktop:-plain}"
  if [ "$(cat "$prefix.display" 2>/dev/null)" != "$state" ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    rm -f "$prefix.display"
  fi
  if [ ! -f "$prefix/.ready" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
    touch "$prefix/.ready"
    # A new prefix (one removed and made again, say) has no desktop set yet, whatever
    # the marker beside it says.
    rm -f "$prefix.display"
  fi
  if [ ! -f "$prefix.display" ]; then
    set_desktop 9>&-
    printf '%s\n' "$state" > "$prefix.display"
  fi
  # Debian ships Wine's own fonts (Marlett for the caption buttons, Tahoma for captions and
  # menus) apart from the prefix, where Wine never looks for them: without this copy every
  # window shows letters for its close and minimise buttons.
  fonts=$prefix/drive_c/windows/Fonts
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp -n /usr/share/wine/fonts/*.ttf "$fonts/"
  fi
  # The prefix has no Courier New, which printing asks for; the metric-compatible
  # Liberation Mono stands in, as it does on the screen of most Linux desktops.
  if [ ! -f "$prefix/.courier" ]; then
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1 </dev/null 9>&-
    touch "$prefix/.courier"
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
