#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tobrel need.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libicu-dev libcups2-dev
    fonts-dejavu-core fonts-liberation qt6-translations-l10n
)
# The tests also read PDFs and print through a private CUPS daemon with a cups-pdf queue, a
# queue with cups-filters' generic PDF printer driver and queues with manufacturers' PostScript
# printer descriptions, whose jobs ghostscript reads back; the fuzz regression needs clang with
# libFuzzer.
[ "${1:-}" = "--test" ] && packages+=(poppler-utils cups cups-filters printer-driver-cups-pdf
    openprinting-ppds printer-driver-postscript-hp ghostscript clang libclang-rt-14-dev)
# The install check: the desktop's validators and the Debian package tools.
[ "${1:-}" = "--test" ] && packages+=(desktop-file-utils appstream dpkg-dev file)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
