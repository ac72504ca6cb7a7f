// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_SYSTEME_SCRIPT_H
#define VORNA_TEST_SYSTEME_SCRIPT_H

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "entrees.h"
#include "systeme.h"

// A virtual clock and a script of input events by frame, installed in place
// of SDL for the life of the object, with the loops' frame cap at 30 a
// second: a run's frame is then one step, as runs were always scripted
// (images() sets another rate); the events, scripted or real (a pad's),
// pass through the seam's own Entrees. A frame is what lies between two buffer
// swaps: frame 0 runs until the first swap. Events scheduled for frame n are
// delivered by the first pollEvent of that frame. Delays advance the clock
// without sleeping; each swap may also add some simulated work time. A frame
// a loop leaves undrawn (attendre) ends as a swap does, its wait on the clock.
class SystemeScript : public sys::Systeme {
public:
    SystemeScript();
    ~SystemeScript() override;

    // Script. Events come stamped with the time they are delivered at.
    void evenement(int frame, const SDL_Event& e);
    // An event at a time of the clock rather than a frame: delivered by the
    // first poll at or after `ms`, stamped `ms`, whatever the frame rate.
    void evenementA(Uint32 ms, const SDL_Event& e) { m_scriptTemps.emplace(ms, e); }
    void toucheA(Uint32 ms, SDL_Keycode k, bool enfoncee);
    // A key pressed or released with the modifiers `mod` held (KMOD_LCTRL...).
    void touche(int frame, SDL_Keycode k, bool enfoncee, Uint16 mod = 0);
    void appui(int frame, SDL_Keycode k) { touche(frame, k, true); }
    void relache(int frame, SDL_Keycode k) { touche(frame, k, false); }
    // A press at `frame` and the release `duree` frames later.
    void tape(int frame, SDL_Keycode k, int duree = 1, Uint16 mod = 0);
    void quitter(int frame);
    // Forgets every event still to come.
    void oublier() { m_script.clear(), m_scriptTemps.clear(), m_file.clear(); }
    void bouton(int frame, int bouton, bool enfonce, int x, int y);
    void mouvement(int frame, int x, int y);
    // A turn of the wheel: +1 away from the user, −1 towards.
    void molette(int frame, int cran);
    // From this frame on the program is asked to end, as by SIGTERM. A real
    // signal (handlers installed by the program) is reported too. A signal
    // received is forgotten when the object is built and destroyed.
    void arret(int frame) { m_arret = frame; }

    // After this many frames a quit request is delivered every frame, so a
    // test can never hang on a loop that does not end (default 20000).
    void limite(int frames) { m_limite = frames; }
    // Milliseconds of simulated work added at each swap (default 0).
    void travail(Uint32 ms) { m_travail = ms; }
    // Called at each swap with the number of the frame that ends, before the
    // buffers are swapped: the back buffer still holds that frame.
    void surImage(std::function<void(int frame)> f) { m_surImage = std::move(f); }
    // The most frames a second the loops draw (30 unless set; 0: no cap).
    void images(int n);
    // Swap the real buffers too (on by default when a window is open).
    void vraiSwap(bool v) { m_vraiSwap = v; }

    int frame() const { return m_frame; }
    // The frames drawn (swapped) and those left undrawn, waited through.
    int swaps() const { return m_swaps; }
    int attentes() const { return m_attentes; }
    Uint32 maintenant() const { return m_temps; }
    int repetitionDelai() const { return m_delai; }
    bool curseurVisible() const { return m_curseur; }
    const std::vector<Uint32>& delais() const { return m_delais; }
    // Frame numbers at which each delay was asked, in order.
    const std::vector<int>& framesDesDelais() const { return m_framesDelais; }
    // The texts drawn with the font in the last frame swapped, in order.
    const std::vector<std::string>& textes() const { return m_textes; }

    Uint32 ticks() override { return m_temps; }
    void delay(Uint32 ms) override;
    int pollEvent(SDL_Event* event) override;
    void swapBuffers() override;
    bool attendre(Uint32 ms) override;
    void keyRepeat(int delai, int intervalle) override;
    void showCursor(bool visible) override { m_curseur = visible; }
    bool arretDemande() override;
    void texteDessine(const std::string& t) override { m_enCours.push_back(t); }

private:
    std::multimap<int, SDL_Event> m_script;
    std::multimap<Uint32, SDL_Event> m_scriptTemps;
    sys::Entrees m_entrees;
    std::deque<SDL_Event> m_file;  // events taken from the script or SDL, still to deliver
    int m_frame = 0;
    int m_swaps = 0, m_attentes = 0;
    Uint32 m_temps = 1000;
    Uint32 m_travail = 0;
    int m_limite = 20000;
    int m_dernierQuit = -1;
    int m_arret = -1;
    bool m_vraiSwap = true;
    int m_delai = 0;
    bool m_curseur = true;
    std::vector<Uint32> m_delais;
    std::vector<int> m_framesDelais;
    std::function<void(int)> m_surImage;
    std::vector<std::string> m_enCours, m_textes;
};

#endif
