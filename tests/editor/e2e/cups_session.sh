#!/usr/bin/env bash
# Runs a command with a private print system: its own cupsd (configuration,
# spool, cache and logs under a temporary folder, reachable only through a
# private socket named by CUPS_SERVER) and a PDF printer queue made the
# default, whose files land in the folder named by CUPS_PDF_OUT. The printer
# is a cups-pdf queue; cups-pdf reads a configuration of its own per queue,
# named after the queue, from the system's CUPS folder: that one file is
# written for the run and removed again. Everything started here is stopped
# when the command ends.
# Usage: cups_session.sh command [arguments...]
# Needs root (cupsd and cups-pdf refuse to run otherwise); exits 77 without.
set -euo pipefail

[ "$(id -u)" -eq 0 ] || { echo "cups_session.sh: needs root" >&2; exit 77; }
for tool in /usr/sbin/cupsd /usr/lib/cups/backend/cups-pdf lpadmin lpoptions lpstat; do
    command -v "$tool" >/dev/null || { echo "cups_session.sh: $tool is missing (tools/setup-deps)" >&2; exit 77; }
done

work=$(mktemp -d /tmp/fd-cups.XXXXXX)
chmod 755 "$work"
queue="Fensterdaten_PDF_$$"
queueConf="/etc/cups/cups-pdf-$queue.conf"
cupsdPid=""
cleanup() {
    if [ -n "$cupsdPid" ]; then
        kill "$cupsdPid" 2>/dev/null || true
        wait "$cupsdPid" 2>/dev/null || true
    fi
    rm -f "$queueConf"
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/etc/ppd" "$work/etc/ssl" "$work/spool/tmp" "$work/cache" "$work/state/certs" "$work/log" "$work/pdf" \
    "$work/pdf-spool"
chmod 1777 "$work/spool/tmp"
chmod 755 "$work/pdf"
socket="$work/cups.sock"

cat >"$work/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
MaxLogSize 0
Browsing No
WebInterface No
DefaultAuthType None
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
CONF
cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
User lp
Group lp
CONF
cat >"$queueConf" <<CONF
Out $work/pdf
Spool $work/pdf-spool
Log $work/log
AnonDirName $work/pdf
Grp root
LogType 3
CONF

/usr/sbin/cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsdPid=$!
export CUPS_SERVER="$socket"
for _ in $(seq 1 200); do
    lpstat -r >/dev/null 2>&1 && break
    sleep 0.05
done
if ! lpstat -r >/dev/null 2>&1; then
    echo "cups_session.sh: cupsd did not start" >&2
    cat "$work/log/cupsd.out" "$work/log/error_log" >&2 2>/dev/null || true
    exit 1
fi

lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -d "$queue"
# lpoptions keeps the default for this user in the private configuration.
HOME="$work" lpoptions -d "$queue" >/dev/null
export CUPS_PDF_OUT="$work/pdf"
export CUPS_PDF_QUEUE="$queue"
export CUPS_LOG_FOLDER="$work/log"

status=0
"$@" || status=$?
exit "$status"
