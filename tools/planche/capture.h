// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_CAPTURE_H
#define VORNA_CAPTURE_H

#include <SDL.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "systeme.h"

// Pictures of the game drawn by the game itself, for the contact sheet and
// the screenshots: the window's 640 × 480 back buffer read as RGB rows from
// the top, through a seam whose clock runs as fast as the drawing.
namespace capture {

const int L = 640, H = 480;
using Image = std::vector<unsigned char>;

// The back buffer, as it stands before the swap.
Image lireImage();
// Writes a PNG of `img` (largeur × hauteur); false after a line on standard error.
bool ecrirePng(const std::string& chemin, const Image& img, int largeur = L, int hauteur = H);

// The seam installed for its life: a virtual clock (delays advance it without
// sleeping), the events of `script` delivered by frame (a frame ends at a
// buffer swap), and the picture of the first frame `voulue` accepts kept in
// `image`; from then on every loop is asked to end, as by a signal.
class Systeme : public sys::Systeme {
public:
    explicit Systeme(std::function<bool(int frame)> voulue, std::multimap<int, SDL_Event> script = {});
    ~Systeme() override;
    Uint32 ticks() override { return m_temps; }
    void delay(Uint32 ms) override { m_temps += ms; }
    int pollEvent(SDL_Event* e) override;
    void swapBuffers() override;
    void keyRepeat(int, int) override {}
    void showCursor(bool) override {}
    bool arretDemande() override { return !image.empty(); }
    int frame() const { return m_frame; }
    Image image;

private:
    std::function<bool(int)> m_voulue;
    std::multimap<int, SDL_Event> m_script;
    int m_frame = 0;
    Uint32 m_temps = 1000;
};

// A key event for a script.
SDL_Event touche(SDL_Keycode k, bool enfoncee);

}  // namespace capture

#endif
