#!/usr/bin/env bash
# Remakes the pictures of docs/, for the pages in English and the Chinese
# guide alike: Korvane under Xvfb, driven through its real dialogs with
# xdotool (a field network typed value by value), the window after the
# computation, the context menus of the compute and the print buttons, the
# first page of the report and the page of the figure printed on the default
# printer of a private print spooler (scripts/private-print-spooler.sh), so
# the machine's own printers are left alone, the window 网图与检核 for four
# figures: the worked example, the same with a blunder, B and D swapped, and
# a long thin figure, and their check lines 合格, 超限 and 图形较弱; a figure
# of ground distances on a national grid, its check before and after the
# reduction named in 边长归算…, that dialog, and its window 网图与检核; the
# list of an observation file with a bad line; and the guide that F1 opens.
# The pictures are at most 720 pixels wide, so that the guide's window (F1)
# shows each whole.
# Needs: xvfb xdotool imagemagick poppler-utils, and a built build/app/korvane.
# KORVANE_SCREENSHOT_DISPLAY names the X display to use (default :97).
set -euo pipefail
cd "$(dirname "$0")/.."

# open to all but its socket's folder: run as root, the spooler prints as lp
spooler=$(mktemp -d)
chmod 0755 "$spooler"
# a display of its own; KORVANE_SCREENSHOT_DISPLAY names another when :97 is taken
display=${KORVANE_SCREENSHOT_DISPLAY:-:97}
# wide enough for the window of the figure beside the main window
# a white root, where a menu reaches below the window
Xvfb "$display" -screen 0 2000x1000x24 -wr >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; scripts/private-print-spooler.sh stop "$spooler"; rm -rf "$spooler"' EXIT
export DISPLAY=$display
scripts/private-print-spooler.sh start "$spooler" >/dev/null
export CUPS_SERVER=$spooler/run/cups.sock
# a first start: nothing remembered from the user's own entries
export XDG_CONFIG_HOME=$spooler/config
sleep 1

# the id of the window titled exactly $1 once it is up, waiting up to 10 s;
# nothing where it never comes
window_titled() {
    local id
    for _ in $(seq 50); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ] && break
        sleep 0.2
    done
    echo "$id"
}
# 边长归算…, the second item of the compute button's menu; its id
open_reduction_dialog() {
    xdotool mousemove --window "$window" 432 640 click 3
    sleep 0.7
    xdotool key Down Down Return
    window_titled 边长归算
}

build/app/korvane &
korvane=$!
window=$(window_titled Korvane)
xdotool windowmove "$window" 20 20
sleep 0.5

# Computes with the nine values typed over what each prompt offers. The
# compute button, at (6000, 9360) twips and 975 x 495: its middle in pixels.
compute() {
    xdotool mousemove --window "$window" 432 640 click 1
    for value in "$@"; do
        sleep 0.4
        xdotool type --delay 20 "$value"
        xdotool key Return   # the prompt
        sleep 0.4
        xdotool key Return   # the confirmation: correct
    done
    sleep 1
}

# Prints and waits until the spooler has finished job number $1.
print_job() {
    xdotool mousemove --window "$window" 592 640 click 1   # the print button
    for _ in $(seq 60); do
        [ "$(lpstat -W completed -o korvane | wc -l)" -ge "$1" ] && break
        sleep 0.5
    done
}

compute 3521.418 4210.735 3802.901 5395.280 823.7092 786.5852 974.6890 841.3028 1202.7588
# the form without the empty margin left of it
import -window root -crop 660x670+220+20 docs/window.png

# the print button's context menu: the preview, the PDF file, the page of
# the figure
xdotool mousemove --window "$window" 592 640 click 3
sleep 0.7
import -window root -crop 400x140+380+620 docs/print_menu.png
xdotool key Escape
sleep 0.3

print_job 1
pdftoppm -q -png -r 60 -f 1 -l 1 -singlefile "$spooler/printed.pdf" docs/report

# the worked example of the check, then the page of the figure: checked on
# the print button's menu (the third item after the separator), printed
compute 3521.418 1204.337 4497.112 2188.650 902.1006 870.9382 889.6279 951.5497 1158.3709
# the check line: its band under the title, at (4920, 2880) twips
check_line=370x90+343+207
import -window root -crop "$check_line" "$spooler/check_pass.png"
xdotool mousemove --window "$window" 592 640 click 3
sleep 0.7
xdotool key Down Down Down Return
sleep 0.5
print_job 2
pdftoppm -q -png -r 80 -f 2 -l 2 -singlefile "$spooler/printed.pdf" docs/report_figure_page

# the window of the figure, from the compute button's context menu, beside
# the main window
xdotool mousemove --window "$window" 432 640 click 3
sleep 0.7
import -window root -crop 360x155+380+620 docs/compute_menu.png
xdotool key Down Down Down Return   # 网图与检核…, after 测距精度… and 边长归算…
figure=$(window_titled 网图与检核)
# narrow enough for the guide's window: the drawing above its table
figure_frame=720x960+900+20
xdotool windowsize "$figure" 720 960 windowmove "$figure" 900 20
sleep 1
import -window root -crop "$figure_frame" docs/figure_window.png

# the same with S6 5 cm long, with B's sides typed for D's, and a long thin
# figure; the window follows each compute
compute 3521.418 1204.337 4497.112 2188.650 902.1006 870.9382 889.6279 951.5497 1158.4209
import -window root -crop "$figure_frame" docs/figure_blunder.png
import -window root -crop "$check_line" "$spooler/check_fail.png"
compute 3521.418 1204.337 4497.112 2188.650 951.5497 889.6279 870.9382 902.1006 1158.3709
import -window root -crop "$figure_frame" docs/figure_swapped.png
compute 1000 1000 1000 3000 1011.1914 1011.1844 917.8255 1114.6350 344.8148
import -window root -crop "$figure_frame" docs/figure_long_thin.png
import -window root -crop "$check_line" "$spooler/check_weak.png"
# the three verdicts, one under the other
convert "$spooler/check_pass.png" "$spooler/check_fail.png" "$spooler/check_weak.png" \
    -bordercolor white -border 6 -append docs/check_lines.png

# ground distances on the national grid, zone 38, 600 m high: the check
# line as measured, then
# the reduction named in 边长归算… (the second item of the compute button's
# menu), which computes the figure again, and the check line after it
compute 3501234.567 38454321.098 3502198.775 38455310.642 1000.0235 908.9439 970.7569 997.4967 1358.6086
import -window root -crop "$check_line" "$spooler/check_before.png"
reduction=$(open_reduction_dialog)
# 归算到投影面, H_m 600, H_0 0 as offered, the Gauss correction of zone 38
xdotool key Down Tab ctrl+a
xdotool type 600
xdotool key Tab Tab space Tab ctrl+a
xdotool type 38500000
sleep 0.5
import -window "$reduction" docs/reduction_dialog.png
xdotool key Return
sleep 1.5
import -window root -crop "$check_line" "$spooler/check_after.png"
convert "$spooler/check_before.png" "$spooler/check_after.png" -bordercolor white -border 6 -append \
    docs/reduction_checks.png
import -window root -crop "$figure_frame" docs/figure_reduced.png
# back to 不归算 for the local figures that follow: their Y carry no zone,
# and the Gauss correction of zone 38 would refuse them
reduction=$(open_reduction_dialog)
xdotool key shift+Tab Up Return   # the focus is in H_m: back to the choice, then 不归算
sleep 1.5

# an observation file of three figures, the second with a mistyped side:
# 打开观测文件… (Ctrl+O) lists it greyed with its fault; the first is computed
observations=$spooler/测区.csv
printf '%s\n' '名称,Xa,Ya,Xc,Yc,S1,S2,S4,S5,S6' \
    '一号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.3709' \
    '二号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.37O9' \
    '三号锁,3521.418,1204.337,4497.112,2188.650,902.1006,870.9382,889.6279,951.5497,1158.4209' > "$observations"
# without a window manager, the main window takes the keys only when told
xdotool windowfocus --sync "$window"
xdotool key ctrl+o
sleep 1
xdotool type --delay 20 "$observations"
xdotool key Return
chooser=$(window_titled 选择图形)
[ -n "$chooser" ] || { echo "screenshot.sh: the list of figures did not open" >&2; exit 1; }
sleep 0.5
import -window "$chooser" -crop 560x200+0+0 docs/figure_chooser.png
xdotool key Return
sleep 1

# the guide, F1 in the main window: its first screen
xdotool windowfocus --sync "$window"
xdotool key F1
guide=$(window_titled 使用说明)
[ -n "$guide" ] || { echo "screenshot.sh: F1 opened no guide" >&2; exit 1; }
# small enough to show in the guide itself
xdotool windowsize "$guide" 700 460
sleep 1
import -window "$guide" docs/guide_window.png

kill $korvane
echo "wrote docs/window.png, docs/print_menu.png, docs/compute_menu.png, docs/report.png," \
     "docs/report_figure_page.png, docs/figure_{window,blunder,swapped,long_thin,reduced}.png," \
     "docs/check_lines.png, docs/reduction_dialog.png, docs/reduction_checks.png," \
     "docs/figure_chooser.png and docs/guide_window.png"
