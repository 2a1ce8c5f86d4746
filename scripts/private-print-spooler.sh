#!/usr/bin/env bash
# A print spooler of one's own, for the print test and for trying the print
# command without a printer: a CUPS scheduler run as the calling user, with
# everything it keeps (configuration, queue, spool, logs) in one folder and
# a socket in that folder as its only way in. Its default queue, "korvane",
# accepts the PDF that Korvane sends as it is, keeps every job's document in
# the spool (DIR/spool/d<job>-001) and writes the last one to
# DIR/printed.pdf. A second queue, "another", listed first but not the
# default, stands for the other printers of an office: a job there means the
# default was not the one used.
#
#     scripts/private-print-spooler.sh start DIR    # prints the line to export
#     scripts/private-print-spooler.sh stop DIR     # ends it, removes DIR
#
# A program prints there when CUPS_SERVER names DIR/run/cups.sock. Needs no
# root and leaves the system's scheduler, its configuration and its default
# printer alone; whether the system runs CUPS at all makes no difference.
# scripts/setup.sh installs what it needs (cups-daemon, cups-client, and
# cups-core-drivers for the filter that copies the document through).
set -euo pipefail
# cupsd and lpadmin live in sbin, which an ordinary user's PATH may lack
PATH=$PATH:/usr/sbin:/sbin

usage() {
    echo "usage: $0 start|stop DIR" >&2
    exit 2
}
fail() {
    echo "private-print-spooler.sh: $*" >&2
    exit 1
}

[ $# -eq 2 ] || usage
action=$1
dir=$2
[ -n "$dir" ] || usage
case $dir in /*) ;; *) dir=$PWD/$dir ;; esac
dir=${dir%/}
socket=$dir/run/cups.sock
queue=korvane
# the first line of the scheduler's configuration: the mark that DIR is one
# of these folders and may be emptied
mark="# private print spooler of Korvane"

# The scheduler of DIR, if it runs: its process id, checked against the
# process's command line so that a reused id is never taken for it.
running_pid() {
    local pid
    pid=$(cat "$dir/cupsd.pid" 2>/dev/null) || return 1
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qF -- "-c $dir/cupsd.conf" || return 1
    echo "$pid"
}

is_our_folder() {
    [ "$(head -n 1 "$dir/cupsd.conf" 2>/dev/null)" = "$mark" ]
}

stop() {
    local pid
    if pid=$(running_pid); then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    fi
    if is_our_folder; then
        rm -rf "$dir"
    fi
}

start() {
    for tool in cupsd lpadmin lpstat; do
        command -v "$tool" >/dev/null || fail "$tool is missing; run scripts/setup.sh"
    done
    # a domain socket's path has room for 107 bytes
    [ ${#socket} -le 107 ] || fail "$socket is too long for a socket; choose a shorter DIR"
    if [ -e "$dir" ] && ! is_our_folder && [ -n "$(ls -A "$dir")" ]; then
        fail "$dir holds other files; give an empty or new folder"
    fi
    stop
    mkdir -p "$dir"/{log,spool/tmp,cache,ppd,ssl,run}
    chmod 0700 "$dir/run"

    # The scheduler runs its filters as the caller; as root, it refuses to,
    # and runs them as the system's printing user (lp) instead.
    local accounts=
    [ "$(id -u)" -eq 0 ] || accounts="User $(id -un)
Group $(id -gn)"
    cat >"$dir/cups-files.conf" <<EOF
$accounts
SystemGroup $(id -gn)
ServerRoot $dir
StateDir $dir
CacheDir $dir/cache
RequestRoot $dir/spool
TempDir $dir/spool/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
EOF
    # Only the socket, whose folder is the caller's alone, reaches it; so
    # every operation, the printer's set-up included, is open without a
    # password.
    cat >"$dir/cupsd.conf" <<EOF
$mark
Listen $socket
Browsing No
WebInterface No
LogLevel warn
DefaultAuthType None
PreserveJobFiles Yes
PreserveJobHistory Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    # An A4 page, all of it printable, and no filter: the document reaches
    # the spool and DIR/printed.pdf as the program made it.
    cat >"$dir/korvane.ppd" <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KORVANE.PPD"
*Manufacturer: "Korvane"
*Product: "(Korvane PDF printer)"
*ModelName: "Korvane PDF printer"
*ShortNickName: "Korvane PDF printer"
*NickName: "Korvane PDF printer, keeps the document"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
EOF

    if [ "$(id -u)" -eq 0 ] && ! runuser -u lp -- test -r "$dir/korvane.ppd"; then
        fail "as root, the scheduler prints as the user lp, who cannot reach $dir; run as an ordinary user"
    fi

    # in the foreground of its own process, with no terminal and no pipe of
    # the caller held open (CTest waits for those)
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" \
        </dev/null >"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"

    export CUPS_SERVER=$socket
    for _ in $(seq 100); do
        [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ] && break
        running_pid >/dev/null ||
            fail "the scheduler ended at start-up: $(cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null)"
        sleep 0.1
    done
    [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ] ||
        fail "the scheduler did not come up; see $dir/log/error_log"

    # lpadmin warns on every queue with a PPD that such drivers are
    # deprecated; its messages are shown only when it fails
    lpadmin -p another -E -v "file://$dir/another.pdf" -P "$dir/korvane.ppd" \
        -D "Another printer ($dir)" 2>"$dir/log/lpadmin.out" &&
        lpadmin -p "$queue" -E -v "file://$dir/printed.pdf" -P "$dir/korvane.ppd" \
            -D "Korvane PDF printer ($dir)" 2>>"$dir/log/lpadmin.out" &&
        lpadmin -d "$queue" 2>>"$dir/log/lpadmin.out" ||
        fail "the queue could not be set up: $(cat "$dir/log/lpadmin.out")"
    echo "export CUPS_SERVER=$socket"
}

case $action in
    start) start ;;
    stop) stop ;;
    *) usage ;;
esac
