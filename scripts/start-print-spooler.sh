#!/usr/bin/env bash
# Starts the local CUPS print spooler for the print test and for trying the
# print command by hand: a queue "korvane-pdf" that writes each job as a PDF
# (cups-pdf), set as the system's default printer, and the spooler keeping
# every job's document after printing, so that a test can read back what the
# program sent.
#
# Run as root; installs nothing (scripts/setup.sh does) and needs no display
# and no service manager. Safe to run again: whatever is already in place is
# left as it is.
set -euo pipefail

queue=korvane-pdf
conf=/etc/cups/cupsd.conf

if [ "$(id -u)" -ne 0 ]; then
    echo "start-print-spooler.sh: run as root (sudo $0)" >&2
    exit 1
fi
for tool in cupsd lpadmin lpstat lpinfo cupsenable cupsaccept; do
    command -v "$tool" >/dev/null || { echo "start-print-spooler.sh: $tool is missing; run scripts/setup.sh" >&2; exit 1; }
done

scheduler_running() {
    lpstat -r 2>/dev/null | grep -qx "scheduler is running"
}

wait_for_scheduler() {
    for _ in $(seq 1 60); do
        scheduler_running && return 0
        sleep 0.5
    done
    echo "start-print-spooler.sh: the CUPS scheduler did not come up; see /var/log/cups/error_log" >&2
    exit 1
}

# The print test reads the job's document from /var/spool/cups after the job
# has completed; by default the spooler deletes it at once.
config_changed=no
if ! grep -qx "PreserveJobFiles Yes" "$conf"; then
    if grep -q "^PreserveJobFiles" "$conf"; then
        sed -i "s/^PreserveJobFiles.*/PreserveJobFiles Yes/" "$conf"
    else
        printf '\n# kept for the Korvane print test, which reads back what was printed\nPreserveJobFiles Yes\n' >>"$conf"
    fi
    config_changed=yes
fi

if ! scheduler_running; then
    mkdir -p /run/cups
    cupsd
    wait_for_scheduler
elif [ "$config_changed" = yes ]; then
    # a running scheduler reads its configuration again on SIGHUP
    kill -HUP "$(cat /run/cups/cupsd.pid 2>/dev/null || pgrep -x -o cupsd)"
    sleep 1
    wait_for_scheduler
fi

if ! lpstat -v "$queue" >/dev/null 2>&1; then
    model=$(lpinfo -m | awk '/CUPS-PDF_opt\.ppd/ { print $1; exit }')
    [ -n "$model" ] || { echo "start-print-spooler.sh: no cups-pdf driver; install printer-driver-cups-pdf" >&2; exit 1; }
    lpadmin -p "$queue" -v cups-pdf:/ -m "$model" -D "Korvane test printer (writes PDF)"
fi
cupsenable "$queue"
cupsaccept "$queue"
[ "$(lpstat -d 2>/dev/null)" = "system default destination: $queue" ] || lpadmin -d "$queue"

lpstat -d
