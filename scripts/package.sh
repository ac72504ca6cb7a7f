#!/bin/sh
# Checks the Debian packages that `make package` built in a build folder:
# their files and their dependencies. Then, when run as root on a machine
# with apt-get where no vorna package is installed yet, installs the game with
# apt-get, starts it under Xvfb with a scratch home until its menu takes
# Escape, and removes it again; and the same for vorna-scores, started as an
# unprivileged user until SIGTERM ends it, its systemd unit left disabled.
#   sh scripts/package.sh [build folder]     (XVFB_RUN overrides "xvfb-run -a")
set -eu
BUILD=${1:-build}
XVFB_RUN=${XVFB_RUN:-xvfb-run -a}

deb=$(ls "$BUILD"/vorna_*.deb 2>/dev/null | tail -n 1)
[ -n "$deb" ] || { echo "package.sh: no vorna_*.deb in $BUILD (make package)" >&2; exit 1; }
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
echo "== $deb"

faute() { echo "package.sh: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libgl1 libglu1-mesa; do
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
for f in usr/bin/vorna usr/bin/bramelt usr/share/vorna/data/font1.TGA usr/share/vorna/maps/menu/menu.txt \
         usr/share/vorna/maps/niveau/map1.qzm usr/share/applications/org.vorna_game.vorna.desktop \
         usr/share/applications/org.vorna_game.bramelt.desktop usr/share/metainfo/org.vorna_game.vorna.metainfo.xml \
         usr/share/man/man6/vorna.6.gz usr/share/man/man6/bramelt.6.gz usr/share/icons/hicolor/256x256/apps/vorna.png; do
    echo "$contenu" | grep -q " \./$f\$" || faute "$f is not in the package"
done
echo "$contenu" | grep -q "data/joueur" && faute "the package holds a player's file"

scores=$(ls "$BUILD"/vorna-scores_*.deb 2>/dev/null | tail -n 1)
[ -n "$scores" ] || faute "no vorna-scores_*.deb in $BUILD (make package)"
scores=$(cd "$(dirname "$scores")" && pwd)/$(basename "$scores")
echo "== $scores"
depends=$(dpkg-deb -f "$scores" Depends)
echo "Depends: $depends"
for p in libsqlite3 libpqxx libcpp-httplib; do
    echo "$depends" | grep -q "$p" || faute "vorna-scores does not depend on $p"
done
echo "$depends" | grep -q "libsdl" && faute "vorna-scores depends on SDL"
contenu=$(dpkg-deb -c "$scores")
for f in usr/bin/vorna-scores usr/share/man/man8/vorna-scores.8.gz usr/share/vorna-scores/logo.jpg \
         usr/lib/systemd/system/vorna-scores.service; do
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
version=$(dpkg-deb -f "$deb" Version)
[ "$(/usr/bin/vorna --version)" = "Vorna ${version%-*}" ] || faute "the installed vorna does not say its version ${version%-*}"

# The installed game, from a folder that is no game folder, with a scratch
# home: it prepares the player's folder, shows the logo, then the menu, which
# quits on Escape (the logo ignores keys, so Escape is sent until it ends).
cd "$maison"
HOME=$maison SDL_AUDIODRIVER=dummy $XVFB_RUN -s "-screen 0 1280x1024x24 -noreset" sh -c '
    vorna & pid=$!
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
[ ! -e /usr/bin/vorna ] || faute "vorna is still there after the removal"
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
[ "$(/usr/bin/vorna-scores --version)" = "vorna-scores 1.4" ] || faute "the installed vorna-scores does not say its version"
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
