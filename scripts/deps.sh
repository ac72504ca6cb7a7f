#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Vorna needs to build, run and test, when some
# are missing. Uses sudo when not run as root. Packaging checks need
# lintian and xprop (x11-utils); the catalogues of the texts xgettext and
# msgfmt (gettext). The game sends its runs to the score server through
# libcurl. The leaderboard server needs
# Boost (Beast and Asio), SQLite, libpqxx and zlib; its tests cpp-httplib (as a
# client), a PostgreSQL server (started by the tests themselves) and Chromium
# driven by Selenium.
set -e
PAQUETS="build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libjpeg-dev libsdl2-mixer-dev
libx11-dev libgl1-mesa-dev libglu1-mesa-dev libfreetype-dev libgtest-dev libgmock-dev libbenchmark-dev
libstb-dev libmp3lame-dev libcurl4-openssl-dev fonts-dejavu-core xvfb xauth libgl1-mesa-dri libglx-mesa0 xdotool
dpkg-dev desktop-file-utils appstream man-db x11-utils lintian gettext
libboost-dev libcpp-httplib-dev libsqlite3-dev libpqxx-dev zlib1g-dev postgresql chromium chromium-driver python3-selenium"

manquants=""
for p in $PAQUETS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        manquants="$manquants $p"
    fi
done
[ -z "$manquants" ] && exit 0

echo "Installing:$manquants"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $manquants
