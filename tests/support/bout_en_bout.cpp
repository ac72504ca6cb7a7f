// SPDX-License-Identifier: GPL-3.0-or-later
#include "bout_en_bout.h"

#include "dossier.h"

#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

namespace {

using Horloge = std::chrono::steady_clock;

void dormir(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// In a child: the environment changed, then `args` run in its place.
[[noreturn]] void remplacer(const std::vector<std::string>& args, const Environnement& env, bool chemin) {
    for (const std::string& e : env) {
        const size_t egal = e.find('=');
        egal == std::string::npos ? unsetenv(e.c_str()) : setenv(e.substr(0, egal).c_str(), e.c_str() + egal + 1, 1);
    }
    std::vector<char*> a;
    for (const std::string& s : args) a.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    chemin ? execvp(a[0], a.data()) : execv(a[0], a.data());
    _exit(127);
}

int statut(int s) { return WIFEXITED(s) ? WEXITSTATUS(s) : -1; }

// The top-left corner, on the screen, of the topmost window shown by one of
// the programs (titled "Vorna…" or "Bramelt…"); 0, 0 when there is none.
void origine(Display* d, int& ox, int& oy) {
    ox = oy = 0;
    Window racine = DefaultRootWindow(d), r, parent, *enfants = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, racine, &r, &parent, &enfants, &n)) return;
    for (unsigned int k = n; k-- > 0;) {  // from the top of the stack
        XWindowAttributes a;
        char* nom = nullptr;
        if (!XGetWindowAttributes(d, enfants[k], &a) || a.map_state != IsViewable) continue;
        const bool programme = XFetchName(d, enfants[k], &nom) && nom &&
                               (std::string(nom).rfind("Vorna", 0) == 0 || std::string(nom).rfind("Bramelt", 0) == 0);
        if (nom) XFree(nom);
        Window w;
        if (programme && XTranslateCoordinates(d, enfants[k], racine, 0, 0, &ox, &oy, &w)) break;
    }
    if (enfants) XFree(enfants);
}

}  // namespace

Capture capturerEcran() {
    Capture c;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return c;
    int ox, oy;
    origine(d, ox, oy);
    if (XImage* i = XGetImage(d, DefaultRootWindow(d), ox, oy, 640, 480, AllPlanes, ZPixmap)) {
        c.l = 640, c.h = 480;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const unsigned long v = XGetPixel(i, x, y);
                c.p.push_back(Pixel{uint8_t((v >> 16) & 0xFF), uint8_t((v >> 8) & 0xFF), uint8_t(v & 0xFF)});
            }
        XDestroyImage(i);
    }
    XCloseDisplay(d);
    return c;
}

int compter(const Capture& c, int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& p) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += p(c.at(x, y));
    return n;
}

bool blanc(Pixel p) { return p.r > 200 && p.g > 200 && p.b > 200; }
bool orange(Pixel p) { return p.r > 140 && p.r > p.g + 45 && p.g > p.b + 15; }

int couleurs(const Capture& c) {
    std::set<int> vu;
    for (const Pixel& p : c.p) vu.insert((p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3));
    return static_cast<int>(vu.size());
}

bool menuHaut(const Capture& c) {
    return c.l && compter(c, 0, 0, 200, 26, blanc) > 40 && compter(c, 240, 190, 400, 218, orange) > 30;
}

int executer(const std::vector<std::string>& args, const Environnement& env, std::string* sortie) {
    int tube[2] = {-1, -1};
    if (sortie && pipe(tube) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        if (sortie) dup2(tube[1], 1), dup2(tube[1], 2), close(tube[0]), close(tube[1]);
        remplacer(args, env, true);
    }
    if (sortie) {
        close(tube[1]);
        sortie->clear();
        char tampon[4096];
        for (ssize_t n; (n = read(tube[0], tampon, sizeof tampon)) > 0;) sortie->append(tampon, size_t(n));
        close(tube[0]);
    }
    int s = 0;
    waitpid(pid, &s, 0);
    return statut(s);
}

int installerDans(const std::string& prefixe, std::string* sortie) {
    return executer({VORNA_CMAKE, "--install", VORNA_BINARY_DIR, "--prefix", prefixe}, {}, sortie);
}

bool attendre(const std::function<bool()>& condition, double secondes) {
    const auto fin = Horloge::now() + std::chrono::milliseconds(int(secondes * 1000));
    for (; Horloge::now() < fin; dormir(100))
        if (condition()) return true;
    return condition();
}

Programme::Programme(const std::vector<std::string>& args, const Environnement& env) {
    m_pid = fork();
    if (m_pid == 0) {
        // In a sanitizer build: libX11 and Mesa keep a few bytes to the end.
        Environnement tout = {"SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"};
        tout.insert(tout.end(), env.begin(), env.end());
        remplacer(args, tout, false);
    }
}

Programme::~Programme() {
    if (m_pid > 0) kill(m_pid, SIGKILL), waitpid(m_pid, nullptr, 0);
}

void Programme::signaler(int signal) {
    if (m_pid > 0) kill(m_pid, signal);
}

int Programme::attendreFin(double secondes) {
    int s = 0;
    if (!attendre([&] { return waitpid(m_pid, &s, WNOHANG) == m_pid; }, secondes)) return -2;
    m_pid = -1;
    return statut(s);
}

void xdotool(const std::vector<std::string>& args, int x, int y) {
    int ox = 0, oy = 0;
    if (Display* d = XOpenDisplay(nullptr)) origine(d, ox, oy), XCloseDisplay(d);
    executer({"xdotool", "mousemove", std::to_string(ox + x), std::to_string(oy + y)});
    dormir(150);
    if (args.empty()) return;
    std::vector<std::string> a = {"xdotool"};
    a.insert(a.end(), args.begin(), args.end());
    executer(a);
    dormir(250);
}

int chercherFenetre(const std::string& motif, std::string* ids) {
    int statut = -1;
    for (int essai = 0; essai < 5 && statut != 0; ++essai) {
        std::string sortie;
        statut = executer({"xdotool", "search", "--sync", "--name", motif}, {}, &sortie);
        if (ids) *ids = sortie;
    }
    return statut;
}

std::string nomFenetre() {
    std::string nom;
    executer({"xdotool", "search", "--onlyvisible", "--name", "^(Vorna|Bramelt)", "getwindowname"}, {}, &nom);
    while (!nom.empty() && nom.back() == '\n') nom.pop_back();
    return nom;
}

bool xdotoolPresent() { return executer({"sh", "-c", "command -v xdotool >/dev/null"}) == 0; }

bool copierJeu() {
    namespace fs = std::filesystem;
    const fs::path jeu = VORNA_GAME_DIR;
    if (!fs::exists(jeu / "vorna") || !fs::exists(jeu / "data" / "font1.TGA")) return false;
    for (const char* f : {"data", "maps"}) fs::copy(jeu / f, f, fs::copy_options::recursive);
    fs::create_directories("ghost");
    ecrireFichier("data/joueur/niveau.txt", "1");
    for (const char* programme : {"vorna", "bramelt"}) fs::copy_file(jeu / programme, programme);
    return true;
}

bool menuEditeur(const Capture& c, int haut) { return c.l && compter(c, 200, haut, 440, haut + 24, orange) > 30; }
bool edition(const Capture& c) { return compter(c, 0, 0, 120, 24, blanc) > 30; }

void ouvrir(int y, int haut) {
    Capture c;
    xdotool({}, 320, 230);
    ASSERT_TRUE(attendre([&] { return menuEditeur(c = capturerEcran(), 216); }, 20)) << "the menu never showed";
    xdotool({"click", "1"}, 320, 230);
    xdotool({}, 320, y);
    ASSERT_TRUE(attendre([&] { return menuEditeur(c = capturerEcran(), haut); }, 10)) << "the list never showed";
    xdotool({"click", "1"}, 320, y);
    ASSERT_TRUE(attendre([&] { return edition(c = capturerEcran()); }, 20)) << "the map never opened";
}

void ouvrirA() { ouvrir(210, 204); }

void quitterEditeur(Programme& bramelt) {
    Capture c;
    xdotool({}, 320, 252);  // "Quitter"
    ASSERT_TRUE(attendre([&] { return menuEditeur(c = capturerEcran(), 240); }, 10));
    xdotool({"click", "1"}, 320, 252);
    EXPECT_EQ(bramelt.attendreFin(20), 0);
}
