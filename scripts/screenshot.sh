#!/usr/bin/env bash
# Remakes the pictures of the README: Korvane under Xvfb, driven through its
# real dialogs with xdotool (a field network typed value by value), the window
# after the computation, the print button's context menu, and the first page
# of the report printed on the default printer of a private print spooler
# (scripts/private-print-spooler.sh), so the machine's own printers are left
# alone.
# Needs: xvfb xdotool imagemagick poppler-utils, and a built build/app/korvane.
set -euo pipefail
cd "$(dirname "$0")/.."

# open to all but its socket's folder: run as root, the spooler prints as lp
spooler=$(mktemp -d)
chmod 0755 "$spooler"
# a display of its own; KORVANE_SCREENSHOT_DISPLAY names another when :97 is taken
display=${KORVANE_SCREENSHOT_DISPLAY:-:97}
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; scripts/private-print-spooler.sh stop "$spooler"; rm -rf "$spooler"' EXIT
export DISPLAY=$display
scripts/private-print-spooler.sh start "$spooler" >/dev/null
export CUPS_SERVER=$spooler/run/cups.sock
# a first start: nothing remembered from the user's own entries
export XDG_CONFIG_HOME=$spooler/config
sleep 1

build/app/korvane &
korvane=$!
for _ in $(seq 50); do
    window=$(xdotool search --name '^Korvane$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
done
xdotool windowmove "$window" 20 20
sleep 0.5

# the compute button, at (6000, 9360) twips and 975 x 495: its middle in pixels
xdotool mousemove --window "$window" 432 640 click 1
for value in 3521.418 4210.735 3802.901 5395.280 823.7092 786.5852 974.6890 841.3028 1202.7588; do
    sleep 0.4
    xdotool type --delay 20 "$value"
    xdotool key Return   # the prompt
    sleep 0.4
    xdotool key Return   # the confirmation: correct
done
sleep 1
import -window root -crop 860x670+20+20 docs/window.png

# the print button's context menu: the preview and the PDF file
xdotool mousemove --window "$window" 592 640 click 3
sleep 0.7
import -window root -crop 400x110+380+620 docs/print_menu.png
xdotool key Escape
sleep 0.3

xdotool mousemove --window "$window" 592 640 click 1   # the print button
for _ in $(seq 60); do
    [ -n "$(lpstat -W completed -o korvane)" ] && break
    sleep 0.5
done
pdftoppm -q -png -r 60 -f 1 -l 1 -singlefile "$spooler/printed.pdf" docs/report
kill $korvane
echo "wrote docs/window.png, docs/print_menu.png and docs/report.png"
