// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_MANETTE_VIRTUELLE_H
#define VORNA_TEST_MANETTE_VIRTUELLE_H

#include <SDL.h>

#include <functional>
#include <map>

// A gamepad without a device: SDL's virtual game controller, plugged in
// while the object lives (unless unplugged). What it does reaches the
// program through SDL's own events, as a real pad's would, from the next
// poll of events on.
class ManetteVirtuelle {
public:
    explicit ManetteVirtuelle(bool branchee = true) {
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
        if (branchee) brancher();
    }
    ~ManetteVirtuelle() { debrancher(), SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }

    void brancher() {
        const int i = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
        m_id = i >= 0 && SDL_JoystickOpen(i) ? SDL_JoystickGetDeviceInstanceID(i) : -1;
    }
    void debrancher() {
        // Unless SDL_Quit took it away already.
        for (int i = 0; SDL_JoystickFromInstanceID(m_id) && i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == m_id) SDL_JoystickClose(SDL_JoystickFromInstanceID(m_id)), SDL_JoystickDetachVirtual(i);
        m_id = -1;
    }
    void bouton(SDL_GameControllerButton b, bool enfonce) {
        if (SDL_Joystick* j = SDL_JoystickFromInstanceID(m_id)) SDL_JoystickSetVirtualButton(j, b, enfonce);
    }
    void axe(SDL_GameControllerAxis a, int v) {
        if (SDL_Joystick* j = SDL_JoystickFromInstanceID(m_id)) SDL_JoystickSetVirtualAxis(j, a, Sint16(v));
    }
    // The arrow key `k` as the autopilot presses it: Up and Down on the stick, Left and Right on the d-pad.
    void fleche(SDL_Keycode k, bool enfoncee) {
        if (k == SDLK_LEFT || k == SDLK_RIGHT)
            return bouton(k == SDLK_LEFT ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT, enfoncee);
        (k == SDLK_UP ? m_haut : m_bas) = enfoncee;
        axe(SDL_CONTROLLER_AXIS_LEFTY, m_haut ? -32767 : m_bas ? 32767 : 0);
    }

    // Planned: `action` done so that the program sees it at `frame` of the
    // script (image() must be called at each swap with the frame that ends).
    void plan(int frame, std::function<void()> action) { m_plan.emplace(frame, std::move(action)); }
    // A press seen at `frame` and its release at the next.
    void tape(int frame, SDL_GameControllerButton b) {
        plan(frame, [this, b] { bouton(b, true); }), plan(frame + 1, [this, b] { bouton(b, false); });
    }
    void image(int frame) {
        for (auto it = m_plan.begin(); it != m_plan.end() && it->first <= frame + 1; it = m_plan.erase(it)) it->second();
    }

private:
    int m_id = -1;
    bool m_haut = false, m_bas = false;
    std::multimap<int, std::function<void()>> m_plan;
};

#endif
