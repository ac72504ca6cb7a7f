#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian packages that `make package` built in a build folder:
# lintian finds no error and no warning in them (the overrides they ship,
# packaging/*.lintian-overrides, give their reasons), their files, the
# version they all name, their AppStream file, their dependencies. Then, when
# run as root on a machine with apt-get where no vorna package is installed
# yet, installs the game with apt-get, reads the class of each program's
# window back under Xvfb against its desktop entry, starts the game with a
# scratch home until its menu takes Escape, and removes it again; and the
# same for vorna-scores, started as an unprivileged user until SIGTERM ends
# it, its systemd unit left disabled.
#   sh scripts/package.sh [build folder]     (XVFB_RUN overrides "xvfb-run -a")
set -eu
BUILD=${1:-build}
XVFB_RUN=${XVFB_RUN:-xvfb-run -a}

# The packages of the version the build folder is configured for (an older
# make package may have left others beside them).
v=$(sed -n 's/^VORNA_VERSION:STRING=//p' "$BUILD/CMakeCache.txt" 2>/dev/null)
[ -n "$v" ] || { echo "package.sh: $BUILD is no configured build folder" >&2; exit 1; }
deb=$(ls "$BUILD"/vorna_"$v"-*.deb 2>/dev/null | tail -n 1)
[ -n "$deb" ] || { echo "package.sh: no vorna_$v-*.deb in $BUILD (make package)" >&2; exit 1; }
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
echo "== $deb"

faute() { echo "package.sh: $*" >&2; exit 1; }

scores=$(ls "$BUILD"/vorna-scores_"$v"-*.deb 2>/dev/null | tail -n 1)
[ -n "$scores" ] || faute "no vorna-scores_$v-*.deb in $BUILD (make package)"
scores=$(cd "$(dirname "$scores")" && pwd)/$(basename "$scores")

# lintian: every error and warning fails, and so does a program built
# without Debian's hardening (those are only information).
command -v lintian >/dev/null || faute "lintian is needed (scripts/deps.sh installs it)"
rapport=$(lintian --info --display-info --pedantic "$deb" "$scores" 2>&1 | grep -v "running with root privileges") || true
echo "$(lintian --version):"
echo "${rapport:-  nothing to report}"
echo "$rapport" | grep -q "^[EW]: \|hardening-" && faute "lintian: errors, warnings or programs without hardening (above)"

version=$(dpkg-deb -f "$deb" Version)
[ "$(dpkg-deb -f "$scores" Version)" = "$version" ] || faute "vorna-scores is not version $version"
fichier() { dpkg-deb --fsys-tarfile "$1" | tar -xOf - "./$2"; }
metainfo=$(mktemp --suffix=.metainfo.xml)
fichier "$deb" usr/share/metainfo/org.vorna_game.vorna.metainfo.xml >"$metainfo"
validation=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || true
echo "appstreamcli: $validation"
echo "$validation" | grep -q "successful\.$" || { rm -f "$metainfo"; faute "appstreamcli: the AppStream file is not clean"; }
grep -q "<release version=\"$v\"" "$metainfo" || faute "no AppStream release $v"
ecrans=$(sed -n 's#.*<image[^>]*>https://.*/\([^/]*\.png\)</image>#\1#p' "$metainfo")
rm -f "$metainfo"
# The man pages in English, then in each other language.
pages="man6/vorna.6 man6/bramelt.6 $(for l in fr de es it pt_BR; do echo $l/man6/vorna.6 $l/man6/bramelt.6; done)"
for page in $pages; do
    fichier "$deb" usr/share/man/$page.gz | gzip -dc | head -n 5 | grep -q "\"Vorna $v\"" || faute "$page does not name version $v"
done
fichier "$deb" usr/share/doc/vorna/changelog.Debian.gz | gzip -dc | head -n 1 | grep -q "^vorna ($version)" \
    || faute "the changelog does not start with $version"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = xdg-utils ] || faute "the package recommends more than xdg-utils"
for p in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libgl1 libglu1-mesa libcurl4; do
    echo "$depends" | grep -q "$p" || faute "the package does not depend on $p"
done
echo "$depends" | grep -q "libsdl1.2\|libsdl-" && faute "the package depends on SDL 1.2"
# Both programs link SDL2 and nothing of SDL 1.2.
for programme in "$BUILD/game/vorna" "$BUILD/game/bramelt"; do
    liens=$(ldd "$programme")
    echo "$liens" | grep -q "libSDL2-2.0" || faute "$programme does not link SDL2"
    echo "$liens" | grep -q "libSDL-1.2\|libSDL_image-1.2\|libSDL_mixer-1.2" && faute "$programme links SDL 1.2"
done
contenu=$(dpkg-deb -c "$deb")
for f in usr/games/vorna usr/games/bramelt usr/share/doc/vorna/copyright usr/share/doc/vorna/changelog.Debian.gz \
         $(for e in $ecrans; do echo usr/share/vorna/screenshots/$e; done) usr/share/vorna/data/font1.TGA usr/share/vorna/maps/menu/menu.txt \
         usr/share/vorna/maps/niveau/map1.qzm usr/share/applications/org.vorna_game.vorna.desktop \
         usr/share/applications/org.vorna_game.bramelt.desktop usr/share/metainfo/org.vorna_game.vorna.metainfo.xml \
         $(for page in $pages; do echo usr/share/man/$page.gz; done) usr/share/icons/hicolor/256x256/apps/vorna.png \
         usr/share/locale/en/LC_MESSAGES/vorna.mo usr/share/locale/fr/LC_MESSAGES/vorna.mo; do
    echo "$contenu" | grep -q " \./$f\$" || faute "$f is not in the package"
done
[ -n "$ecrans" ] || faute "the AppStream file lists no screenshot"
echo "$contenu" | grep -q "data/joueur" && faute "the package holds a player's file"
echo "$contenu" | grep -q " \./usr/bin/" && faute "the game's programs are not all in /usr/games"

echo "== $scores"
depends=$(dpkg-deb -f "$scores" Depends)
echo "Depends: $depends"
# The HTTP layer (Boost.Beast over Asio) is headers only: nothing to depend on.
for p in libsqlite3 libpqxx zlib1g; do
    echo "$depends" | grep -q "$p" || faute "vorna-scores does not depend on $p"
done
echo "$depends" | grep -q "libsdl" && faute "vorna-scores depends on SDL"
contenu=$(dpkg-deb -c "$scores")
for f in usr/bin/vorna-scores usr/share/man/man8/vorna-scores.8.gz usr/share/vorna-scores/logo.jpg \
         usr/share/locale/de/LC_MESSAGES/vorna-scores.mo \
         usr/lib/systemd/system/vorna-scores.service usr/share/doc/vorna-scores/copyright; do
    echo "$contenu" | grep -q " \./$f\$" || faute "$f is not in vorna-scores"
done
dpkg-deb -c "$deb" | grep -q "vorna-scores" && faute "the game's package holds the server"

if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "package.sh: not root or no apt-get: the package is not installed here"
    exit 0
fi
if dpkg-query -W -f='${Status}' vorna 2>/dev/null | grep -q "install ok installed"; then
    echo "package.sh: a vorna package is installed already: left as it is, the new one is not tried"
    exit 0
fi

maison=$(mktemp -d)
nettoyer() {
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=300 vorna >/dev/null 2>&1 || true
    rm -rf "$maison"
}
trap nettoyer EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=300 "$deb"
[ "$(/usr/games/vorna --version)" = "Vorna $v" ] || faute "the installed vorna does not say its version $v"
[ "$(/usr/games/bramelt --version)" = "Bramelt $v" ] || faute "the installed bramelt does not say its version $v"

# Each program's window has the class its desktop entry names, so the
# desktop ties it to its launcher.
cd "$maison"
for programme in vorna bramelt; do
    attendue=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/org.vorna_game.$programme.desktop)
    [ -n "$attendue" ] || faute "org.vorna_game.$programme.desktop names no StartupWMClass"
    lue=$(HOME=$maison SDL_AUDIODRIVER=dummy $XVFB_RUN -s "-screen 0 1280x1024x24 -noreset" sh -c '
        /usr/games/$0 & pid=$!
        fenetre=$(timeout 60 xdotool search --sync --name "^[VB][a-z]* " | head -n 1)
        [ -n "$fenetre" ] && xprop -id "$fenetre" WM_CLASS
        kill $pid; wait $pid' $programme 2>/dev/null) || true
    echo "$programme: $lue"
    [ "$lue" = "WM_CLASS(STRING) = \"$attendue\", \"$attendue\"" ] || faute "the window of $programme is not of the class $attendue"
done

# The installed game, from a folder that is no game folder, with a scratch
# home: it prepares the player's folder, shows the logo, then the menu, which
# quits on Escape (the logo ignores keys, so Escape is sent until it ends).
rm -rf "$maison/.local"
HOME=$maison SDL_AUDIODRIVER=dummy $XVFB_RUN -s "-screen 0 1280x1024x24 -noreset" sh -c '
    /usr/games/vorna & pid=$!
    timeout 60 xdotool search --sync --name "^Vorna " >/dev/null || { kill $pid; exit 1; }
    for i in $(seq 40); do
        kill -0 $pid 2>/dev/null || break
        xdotool search --name "^Vorna " mousemove --window %1 320 240 key Escape
        sleep 1
    done
    kill $pid 2>/dev/null && { echo "package.sh: vorna did not quit from its menu" >&2; exit 1; }
    wait $pid'
joueur=$maison/.local/share/vorna
[ "$(readlink "$joueur/data/font1.TGA")" = /usr/share/vorna/data/font1.TGA ] || faute "no link into /usr/share/vorna"
[ "$(cat "$joueur/data/joueur/niveau.txt")" = 1 ] || faute "no progress file in the player's folder"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=300 vorna
[ ! -e /usr/games/vorna ] || faute "vorna is still there after the removal"
[ -f "$joueur/data/joueur/niveau.txt" ] || faute "the removal touched the player's folder"
echo "package.sh: installed, started, its menu quit, removed"

# The server, as the unprivileged user nobody, in a folder of its own.
if dpkg-query -W -f='${Status}' vorna-scores 2>/dev/null | grep -q "install ok installed"; then
    echo "package.sh: a vorna-scores package is installed already: left as it is"
    exit 0
fi
nettoyer() {
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=300 vorna-scores >/dev/null 2>&1 || true
    rm -rf "$maison"
}
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=300 "$scores"
[ "$(/usr/bin/vorna-scores --version)" = "vorna-scores $v" ] || faute "the installed vorna-scores does not say its version $v"
ls /etc/systemd/system/*.wants/vorna-scores.service 2>/dev/null && faute "the package enabled its unit"
chmod 755 "$maison" && mkdir -p "$maison/scores" && chown nobody "$maison/scores"
setpriv --reuid=nobody --regid=nogroup --clear-groups /usr/bin/vorna-scores --listen 127.0.0.1 --port 0 --data "$maison/scores" 2>"$maison/log" &
pid=$!
for i in $(seq 50); do grep -q "listening on" "$maison/log" && break; sleep 0.2; done
grep -q "listening on" "$maison/log" || { cat "$maison/log" >&2; faute "the installed server did not start"; }
kill -TERM $pid
wait $pid || faute "the server did not end cleanly on SIGTERM"
[ "$(stat -c %U "$maison/scores/scores.sqlite")" = nobody ] || faute "no scores file of the server's own user"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=300 vorna-scores
[ ! -e /usr/bin/vorna-scores ] || faute "vorna-scores is still there after the removal"
echo "package.sh: vorna-scores installed, started as nobody, stopped by SIGTERM, removed"
