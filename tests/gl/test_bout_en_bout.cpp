// The real vorna program in its game folder, driven by real X key events
// (xdotool) and watched through screenshots of the display: logo, menu,
// level 1, back to the menu, quit.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dossier.h"
#include "fenetre_test.h"

namespace {

namespace fs = std::filesystem;
using Horloge = std::chrono::steady_clock;

struct Capture {
    int l = 0, h = 0;
    std::vector<Pixel> p;
    Pixel at(int x, int y) const { return p[y * l + x]; }
};

// The top-left 640 × 480 of the screen, where the game's window sits.
Capture capturerEcran() {
    Capture c;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return c;
    XImage* i = XGetImage(d, DefaultRootWindow(d), 0, 0, 640, 480, AllPlanes, ZPixmap);
    if (i) {
        c.l = 640;
        c.h = 480;
        c.p.resize(640 * 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                unsigned long v = XGetPixel(i, x, y);
                c.p[y * 640 + x] = Pixel{uint8_t((v >> 16) & 0xFF), uint8_t((v >> 8) & 0xFF), uint8_t(v & 0xFF)};
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
// The highlight colour of menu entries, (221, 137, 107), possibly dimmed.
bool orange(Pixel p) { return p.r > 140 && p.r > p.g + 45 && p.g > p.b + 15; }

int couleurs(const Capture& c) {
    std::vector<bool> vu(1 << 15, false);
    int n = 0;
    for (const Pixel& p : c.p) {
        int k = (p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3);
        if (!vu[k]) { vu[k] = true; ++n; }
    }
    return n;
}

int executer(const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> a;
        for (const std::string& s : args) a.push_back(const_cast<char*>(s.c_str()));
        a.push_back(nullptr);
        execvp(a[0], a.data());
        _exit(127);
    }
    int statut = 0;
    waitpid(pid, &statut, 0);
    return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
}

bool attendre(const std::function<bool()>& condition, double secondes) {
    const auto fin = Horloge::now() + std::chrono::milliseconds(int(secondes * 1000));
    while (Horloge::now() < fin) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

struct BoutEnBout : ::testing::Test {
    std::unique_ptr<DossierTemporaire> dossier;
    pid_t vorna = -1;

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        if (executer({"sh", "-c", "command -v xdotool >/dev/null"}) != 0)
            FAIL() << "xdotool is needed (scripts/deps.sh installs it)";
        const fs::path jeu = VORNA_GAME_DIR;
        ASSERT_TRUE(fs::exists(jeu / "vorna")) << "build the game first";
        ASSERT_TRUE(fs::exists(jeu / "data" / "font1.TGA")) << "the game data is not generated";
        dossier = std::make_unique<DossierTemporaire>();
        for (const char* f : {"data", "maps"})
            fs::copy(jeu / f, f, fs::copy_options::recursive);
        fs::create_directories("ghost");
        ecrireFichier("data/joueur/niveau.txt", "1");
        fs::copy_file(jeu / "vorna", "vorna");
    }

    void TearDown() override {
        if (vorna > 0) {
            kill(vorna, SIGKILL);
            waitpid(vorna, nullptr, 0);
        }
    }

    void demarrer() {
        vorna = fork();
        if (vorna == 0) {
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            // In a sanitizer build: libX11 and Mesa keep a few bytes to the end.
            setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
            execl("./vorna", "./vorna", static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    void touche(const char* nom) {
        executer({"xdotool", "mousemove", "320", "240"});
        executer({"xdotool", "key", "--delay", "80", nom});
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }

    int attendreFin(double secondes) {
        int statut = 0;
        const auto fin = Horloge::now() + std::chrono::milliseconds(int(secondes * 1000));
        while (Horloge::now() < fin) {
            if (waitpid(vorna, &statut, WNOHANG) == vorna) {
                vorna = -1;
                return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return -2;
    }
};

// The Top screen: the title in white at the top left, "Jouer" highlighted
// just above the centre.
bool menuHaut(const Capture& c) {
    return c.l && compter(c, 0, 0, 200, 26, blanc) > 40 && compter(c, 240, 190, 400, 218, orange) > 30;
}

TEST_F(BoutEnBout, LogoMenuLevelOneBackToTheMenuAndQuit) {
    demarrer();
    ASSERT_EQ(executer({"xdotool", "search", "--sync", "--name", "Vorna 1.4"}), 0);

    // The logo first: bright, no menu text yet.
    Capture logo;
    ASSERT_TRUE(attendre([&] { logo = capturerEcran(); return couleurs(logo) > 40; }, 20))
        << "nothing was drawn";
    EXPECT_FALSE(menuHaut(logo));

    Capture menu;
    ASSERT_TRUE(attendre([&] { menu = capturerEcran(); return menuHaut(menu); }, 30))
        << "the menu never showed";
    EXPECT_GT(couleurs(menu), 100) << "the menu background is drawn";

    touche("Return");  // "Jouer"
    touche("Return");  // "Scenario"
    touche("Return");  // level 1
    // In the run: the level title at the top left, the lives at the top
    // right, the chronometer at the bottom right (the menu has none there).
    Capture course;
    ASSERT_TRUE(attendre([&] {
        course = capturerEcran();
        return compter(course, 0, 0, 300, 26, blanc) > 40 && compter(course, 480, 0, 640, 26, blanc) > 20 &&
               compter(course, 520, 454, 640, 480, blanc) > 20;
    }, 30)) << "level 1 never started";
    EXPECT_GT(couleurs(course), 100);

    touche("Escape");  // pause
    Capture pause;
    // "Retour au jeu" highlighted across the centre (its left part, clear of the ball).
    ASSERT_TRUE(attendre([&] { pause = capturerEcran(); return compter(pause, 216, 216, 290, 242, orange) > 15; }, 10))
        << "the pause menu never showed";
    touche("Down");
    touche("Down");
    touche("Return");  // "Quitter"

    ASSERT_TRUE(attendre([&] { menu = capturerEcran(); return menuHaut(menu); }, 30))
        << "the menu did not come back after the run";
    touche("Escape");
    EXPECT_EQ(attendreFin(20), 0);
}

}  // namespace
