#!/usr/bin/env bash
# A print queue for the printing tests: a CUPS-PDF printer "KVIRO_PDF" that writes every job as
# a PDF file into /var/spool/cups-pdf/kviro. Safe to run again; starts cupsd itself where no
# service manager does (containers, CI). Needs root and the packages cups, cups-bsd and
# printer-driver-cups-pdf (scripts/setup.sh installs them).
set -euo pipefail

QUEUE=KVIRO_PDF
INSTANCE=kviro
OUT=/var/spool/cups-pdf/$INSTANCE
CONF=/etc/cups/cups-pdf-$INSTANCE.conf
PPD=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd

if [ "$(id -u)" -ne 0 ]; then
  echo "print-queue.sh: needs root (creates a CUPS queue)" >&2
  exit 1
fi

# The instance's own settings: a fixed output folder for every user, files named after the
# job's title with the job number behind it.
mkdir -p "$OUT"
chmod 0777 "$OUT"
cat >"$CONF.new" <<CONFEOF
Out $OUT
AnonDirName $OUT
Label 2
TitlePref 1
UserUMask 0000
CONFEOF
mv "$CONF.new" "$CONF"

scheduler_up() { lpstat -r 2>/dev/null | grep -q "is running"; }

if ! scheduler_up; then
  if command -v systemctl >/dev/null && [ -d /run/systemd/system ]; then
    systemctl start cups || true
  fi
fi
if ! scheduler_up; then
  mkdir -p /run/cups
  /usr/sbin/cupsd
fi
for _ in $(seq 50); do
  scheduler_up && break
  sleep 0.1
done
if ! scheduler_up; then
  echo "print-queue.sh: the CUPS scheduler did not start" >&2
  exit 1
fi

# The Cairo renderer keeps the text of a printout readable in the PDF (with Ghostscript the
# glyphs become pictures, and pdftotext cannot read them back).
if ! msg=$(lpadmin -p "$QUEUE" -E -v "cups-pdf:/$INSTANCE" -m "$PPD" \
  -o pdftops-renderer-default=pdftocairo -D "KVIRO test queue (PDF files in $OUT)" 2>&1); then
  echo "$msg" >&2
  exit 1
fi
cupsenable "$QUEUE"
cupsaccept "$QUEUE"
lpstat -p "$QUEUE"
