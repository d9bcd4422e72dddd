#!/usr/bin/env bash
# A private PDF printer for the tests: a CUPS server of its own, with every file it
# keeps below build/printer, and one queue, LingorixPDF, that writes each job as a
# PDF into build/printer/out.
#   printer.sh start   starts the server (once) and prints the variables to export
#   printer.sh stop    stops it and removes the one file it put outside build/
# Clients, Wine's printing among them, find the server through CUPS_SERVER, the
# server's socket; without it they keep talking to the machine's own CUPS, if any.
# Needs root: the PDF backend only runs as root.
set -euo pipefail
cd "$(dirname "$0")/.."

root=$PWD/build/printer
socket=$root/cups.sock
queue=LingorixPDF
# The PDF backend reads its settings only from the system's CUPS folder, named after
# the part of the device address behind "cups-pdf:/".
backend_conf=/etc/cups/cups-pdf-lingorix.conf

running() { [ -f "$root/cupsd.pid" ] && kill -0 "$(cat "$root/cupsd.pid")" 2>/dev/null; }

start() {
  if running && CUPS_SERVER=$socket lpstat -p "$queue" >/dev/null 2>&1; then
    report
    return 0
  fi
  stop >/dev/null 2>&1 || true
  rm -rf "$root"
  mkdir -p "$root"/{etc/ppd,spool/tmp,cache,state,log,out,pdf-spool}
  # The spool's temporary folder is entered by the filters, which run as the unprivileged
  # user lp.
  chmod 1777 "$root/spool/tmp" "$root/pdf-spool"
  chmod 0755 "$root" "$root/spool"
  cat >"$root/etc/cups-files.conf" <<EOF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
SystemGroup root
EOF
  cat >"$root/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel warn
Browsing No
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$backend_conf" <<EOF
# Written by the Lingorix test run (scripts/printer.sh); removed when it stops.
Out $root/out
AnonDirName $root/out
Spool $root/pdf-spool
Log $root/log
UserUMask 0000
EOF
  # Detached, with harmless standard handles, so whoever reads this script's output
  # does not wait for the server.
  setsid /usr/sbin/cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" </dev/null >/dev/null 2>&1 &
  echo $! >"$root/cupsd.pid"
  for _ in $(seq 1 200); do
    [ -S "$socket" ] && CUPS_SERVER=$socket lpstat -r >/dev/null 2>&1 && break
    sleep 0.05
  done
  CUPS_SERVER=$socket lpadmin -p "$queue" -E -v cups-pdf:/lingorix -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  CUPS_SERVER=$socket lpadmin -d "$queue"
  CUPS_SERVER=$socket cupsenable "$queue"
  CUPS_SERVER=$socket cupsaccept "$queue"
  report
}

report() {
  echo "export CUPS_SERVER=$socket"
  echo "export LINGORIX_PRINTER=$queue"
  echo "export LINGORIX_PRINT_OUT=$root/out"
}

stop() {
  if running; then
    local pid
    pid=$(cat "$root/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  fi
  rm -f "$backend_conf" "$root/cupsd.pid"
}

case "${1:-}" in
start) start ;;
stop) stop ;;
*) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
