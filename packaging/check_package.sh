#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch
# root and checks that the program, its menu entry, its icon and the guide
# with its pictures are there and that it declares what it needs at run
# time.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# CPack's archiver reads file names through the locale: in the C locale of
# a bare login or a package build it cannot read the guide's Chinese name
(cd "$build" && LC_ALL=C.UTF-8 cpack -G DEB -B "$scratch/out" > "$scratch/cpack.log") ||
    { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
dpkg-deb -x "$deb" "$scratch/root"

status=0
guide=usr/share/korvane/docs/使用说明.md
for file in usr/bin/korvane usr/share/applications/korvane.desktop \
            usr/share/icons/hicolor/scalable/apps/korvane.svg "$guide"; do
    if [ -e "$scratch/root/$file" ]; then echo "found $file"; else echo "MISSING $file"; status=1; fi
done
[ -x "$scratch/root/usr/bin/korvane" ] || { echo "korvane is not executable"; status=1; }
# every picture the guide shows, beside it (F1 finds them relative to the file)
if [ -e "$scratch/root/$guide" ]; then
    for picture in $(grep -o '!\[[^]]*\]([^)]*)' "$scratch/root/$guide" | sed 's/.*](\(.*\))/\1/'); do
        case "$picture" in http*) continue ;; esac
        [ -e "$scratch/root/$(dirname "$guide")/$picture" ] || { echo "MISSING picture $picture of the guide"; status=1; }
    done
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6printsupport6 fonts-arphic-uming qt6-qpa-plugins; do
    case "$depends" in *"$needed"*) ;; *) echo "does not depend on $needed"; status=1 ;; esac
done
grep -q '^Exec=korvane$' "$scratch/root/usr/share/applications/korvane.desktop" || { echo "bad Exec"; status=1; }
exit $status
