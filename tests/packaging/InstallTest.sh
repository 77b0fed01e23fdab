#!/usr/bin/env bash
# Installs into a temporary root and builds the Debian package, then looks at both as the
# desktop and the package manager will.
# Usage: InstallTest.sh BUILD_FOLDER VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
share="$work/root/usr/share"
desktop-file-validate "$share/applications/cz.tobrel.Tobrel.desktop"
appstreamcli validate --no-net "$share/metainfo/cz.tobrel.Tobrel.metainfo.xml"
"$work/root/usr/bin/tobrel" --version | grep -qx "Tobrel $version"
gzip -t "$share/man/man1/tobrel.1.gz" "$share/doc/tobrel/changelog.gz"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb="$work/package/tobrel_${version}_$(dpkg --print-architecture).deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/packaged"
(cd "$work/root" && find . -type f | sort) >"$work/installed"
diff "$work/installed" "$work/packaged"
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$work/depends"
for package in libqt6widgets6 libqt6printsupport6 libqt6svg6 fonts-liberation \
    fonts-dejavu-core qt6-translations-l10n; do
    grep -qx "$package" "$work/depends" || { echo "Depends lacks $package" >&2; exit 1; }
done
