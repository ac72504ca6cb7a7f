// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture.h"

#include <GL/gl.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>

#include "fenetre.h"

namespace capture {

Image lireImage() {
    Image brut(L * H * 3), r(L * H * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, L, H, GL_RGB, GL_UNSIGNED_BYTE, brut.data());
    for (int y = 0; y < H; ++y) std::copy_n(&brut[(H - 1 - y) * L * 3], L * 3, &r[y * L * 3]);
    return r;
}

bool ecrirePng(const std::string& chemin, const Image& img, int largeur, int hauteur) {
    if (stbi_write_png(chemin.c_str(), largeur, hauteur, 3, img.data(), largeur * 3)) return true;
    std::fprintf(stderr, "cannot write %s\n", chemin.c_str());
    return false;
}

Systeme::Systeme(std::function<bool(int)> voulue, std::multimap<int, SDL_Event> script)
    : m_voulue(std::move(voulue)), m_script(std::move(script)) {
    sys::installer(this);
}

Systeme::~Systeme() { sys::installer(nullptr); }

int Systeme::pollEvent(SDL_Event* e) {
    SDL_Event reel;
    while (SDL_PollEvent(&reel)) {}  // the real window's events are not the script's
    const auto it = m_script.begin();
    if (it == m_script.end() || it->first > m_frame) return 0;
    *e = it->second;
    m_script.erase(it);
    return 1;
}

void Systeme::swapBuffers() {
    if (image.empty() && m_voulue(m_frame)) image = lireImage();
    SDL_GL_SwapWindow(fenetreGL());
    ++m_frame;
}

SDL_Event touche(SDL_Keycode k, bool enfoncee) {
    SDL_Event e{};
    e.type = enfoncee ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = enfoncee ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = k;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(k);
    return e;
}

}  // namespace capture
