#!/usr/bin/env bash
# Installs the Debian packages that Korvane needs to build, run and test,
# skipping the download when every one of them is already there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config locales
    qt6-base-dev libgl-dev libfontconfig-dev qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-arphic-uming fonts-dejavu-core fonts-urw-base35
    cups-daemon cups-client cups-core-drivers poppler-utils
    clang-14 libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
