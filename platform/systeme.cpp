#include "systeme.h"

namespace sys {
namespace {

class SystemeSDL : public Systeme {
public:
    Uint32 ticks() override { return SDL_GetTicks(); }
    void delay(Uint32 ms) override { SDL_Delay(ms); }
    int pollEvent(SDL_Event* event) override { return SDL_PollEvent(event); }
    void swapBuffers() override { SDL_GL_SwapBuffers(); }
    void keyRepeat(int d, int i) override { SDL_EnableKeyRepeat(d, i); }
    void showCursor(bool v) override { SDL_ShowCursor(v ? SDL_ENABLE : SDL_DISABLE); }
};

SystemeSDL sdl;
Systeme* actuel = &sdl;

}  // namespace

Systeme& courant() { return *actuel; }
void installer(Systeme* s) { actuel = s ? s : &sdl; }

}  // namespace sys
