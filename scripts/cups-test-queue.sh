#!/usr/bin/env bash
# Runs a print test against a real CUPS queue: a private cupsd (its own configuration,
# socket, spool and logs in a temporary folder), one cups-pdf queue whose PDFs land in that
# folder, then the given test program with CUPS_SERVER pointing at the private socket and
# TOBREL_TEST_QUEUE / TOBREL_TEST_QUEUE_OUT naming the queue and the folder its PDFs land in;
# TOBREL_TEST_MARGINS_QUEUE names a queue whose printer cannot print up to the paper's edges.
# Queues with manufacturers' PostScript descriptions write the printer-ready job to a file:
# TOBREL_TEST_PPD_QUEUES lists them, each job lands in TOBREL_TEST_PPD_OUT/<queue>.ps and each
# queue's description is TOBREL_TEST_PPD_OUT/<queue>.ppd.
# Exits 77 (skipped) only when the daemon cannot be brought up at all.
set -euo pipefail

test_program="$1"
skip() { echo "SKIP: $*" >&2; exit 77; }

cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[ -x "$cupsd" ] || skip "cupsd is not installed (scripts/install-deps.sh --test)"
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed"
# cupsd runs the cups-pdf backend as root only when it is root itself, and cups-pdf reads
# its per-queue configuration from /etc/cups.
[ "$(id -u)" -eq 0 ] || skip "a private cupsd with the cups-pdf backend needs root"

work=$(mktemp -d /tmp/tobrel-cups.XXXXXX)
queue="tobrel_${work##*.}"
queue_conf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=""
cleanup() {
    [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    rm -f "$queue_conf"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# Filters run as lp: the folders they read and write must be open to it.
chmod 0755 "$work"
mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log,out,pdf-spool,jobs}
chmod 1777 "$work"/spool/tmp "$work"/out "$work"/pdf-spool
socket="$work/cups.sock"

cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
SystemGroup root
FileDevice Yes
CONF
cat >"$work/etc/cupsd.conf" <<CONF
LogLevel warn
Listen $socket
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
# The queue's own cups-pdf configuration (cups-pdf:/NAME reads cups-pdf-NAME.conf), so the
# machine's shared cups-pdf.conf stays untouched.
cat >"$queue_conf" <<CONF
Out $work/out
AnonDirName $work/out
Spool $work/pdf-spool
Log $work/log
Grp root
# As a printer would: the page goes out the way it was sent, never turned to suit its text.
GSCall %s -q -dCompatibilityLevel=%s -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="%s" -dAutoRotatePages=/None -c -f %s
CONF

"$cupsd" -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$socket"
for _ in $(seq 50); do
    [ -S "$socket" ] && lpstat -r >/dev/null 2>&1 && break
    kill -0 "$cupsd_pid" 2>/dev/null || { cat "$work/log/error_log" 2>/dev/null >&2; cupsd_pid=""; skip "cupsd did not start"; }
    sleep 0.2
done
lpstat -r >/dev/null 2>&1 || { cat "$work/log/error_log" 2>/dev/null >&2; skip "cupsd does not answer"; }

# Cairo keeps the fonts as fonts with their character codes, so the text can be found again
# in the PDF that comes out.
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
    -o pdftops-renderer-default=pdftocairo 2>&1 \
    | grep -v -i "deprecated" >&2 || true
lpstat -p "$queue" >/dev/null
# A second queue with a printer's unprintable margins (18 pt along the long sides, 36 pt along
# the short ones), from the generic PDF printer of Debian's cups-filters.
lpadmin -p "${queue}_margins" -E -v "cups-pdf:/$queue" \
    -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2>&1 | grep -v -i "deprecated" >&2 || true
lpstat -p "${queue}_margins" >/dev/null

# Office printers of different makers, with unprintable margins and their own names for the
# envelope and manual feeds, as their drivers' packages install them.
ppd_queues=()
while read -r driver ppd name; do
    [ -x "/usr/lib/cups/driver/$driver" ] || { echo "no $driver driver: $name left out" >&2; continue; }
    "/usr/lib/cups/driver/$driver" cat "$driver:0/ppd/$ppd" >"$work/jobs/$name.ppd" 2>/dev/null || continue
    lpadmin -p "$name" -E -v "file://$work/jobs/$name.ps" -P "$work/jobs/$name.ppd" 2>&1 \
        | grep -v -i "deprecated" >&2 || true
    lpstat -p "$name" >/dev/null && ppd_queues+=("$name")
done <<QUEUES
postscript-hp hplip/HP/hp-laserjet_4250-ps.ppd hp_laserjet_4250
openprinting-ppds openprinting/Kyocera/en/Kyocera_CS-C2525E_en.ppd kyocera_cs_c2525e
openprinting-ppds openprinting/Lexmark/Lexmark_B2300_Series.ppd lexmark_b2300
openprinting-ppds openprinting/Epson/epal2600.ppd epson_al_2600
openprinting-ppds openprinting/Brother/BR2600CN_GPL.ppd brother_hl_2600cn
openprinting-ppds openprinting/Canon/cnadv4025x1g.ppd canon_ir_adv_4025
QUEUES
export TOBREL_TEST_PPD_QUEUES="${ppd_queues[*]}" TOBREL_TEST_PPD_OUT="$work/jobs"

export TOBREL_TEST_QUEUE="$queue" TOBREL_TEST_QUEUE_OUT="$work/out"
export TOBREL_TEST_MARGINS_QUEUE="${queue}_margins"
status=0
"$test_program" || status=$?
[ $status -eq 0 ] || { echo "--- cupsd log" >&2; cat "$work/log/error_log" >&2 2>/dev/null || true; }
exit $status
