#!/usr/bin/env bash
# Installs the Debian packages Orvala builds with, when any is missing.
# With --check it only lists the missing ones and fails when there are any, so a
# package name that no install can satisfy is caught instead of reinstalled forever.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6sql6-sqlite qt6-svg-dev
    libsqlite3-dev libexif-dev libuemf-dev libx11-dev libgl-dev
    qt6-image-formats-plugins libheif-dev libraw-dev
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    postgresql libqt6sql6-psql libpq-dev
    xvfb xauth poppler-utils
    desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "${1:-}" = --check ]; then
    echo "Missing: ${missing[*]}"
    exit 1
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
