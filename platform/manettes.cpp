// SPDX-License-Identifier: GPL-3.0-or-later
#include "manettes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "lecture.h"

namespace sys {
namespace {

// The inputs of a pad that stand for a key, and the key each stands for.
enum Entree {
    DHaut, DBas, DGauche, DDroite,                   // the d-pad
    SHaut, SBas, SGauche, SDroite,                   // the left stick's four halves
    BoutonA, Start, BoutonB, Back, BoutonX, BoutonY, EpauleG, EpauleD,
    kEntrees
};
const SDL_Keycode kTouche[kEntrees] = {
    SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT,
    SDLK_RETURN, SDLK_RETURN, SDLK_ESCAPE, SDLK_ESCAPE, SDLK_SPACE, SDLK_g, SDLK_MINUS, SDLK_PLUS};

const struct { SDL_GameControllerButton bouton; Entree entree; } kBoutons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, DHaut},         {SDL_CONTROLLER_BUTTON_DPAD_DOWN, DBas},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, DGauche},     {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, DDroite},
    {SDL_CONTROLLER_BUTTON_A, BoutonA},             {SDL_CONTROLLER_BUTTON_START, Start},
    {SDL_CONTROLLER_BUTTON_B, BoutonB},             {SDL_CONTROLLER_BUTTON_BACK, Back},
    {SDL_CONTROLLER_BUTTON_X, BoutonX},             {SDL_CONTROLLER_BUTTON_Y, BoutonY},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, EpauleG},  {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, EpauleD},
};

// The stick counts as pushed beyond a third of its travel.
const int kZoneMorte = 32767 / 3;

const char* const kNoms[kEntrees] = {"dpup",   "dpdown", "dpleft", "dpright", "lefty-", "lefty+",
                                     "leftx-", "leftx+", "a",      "start",   "b",      "back",
                                     "x",      "y",      "lb",     "rb"};

SDL_Event touche(SDL_Keycode k, int place, bool enfoncee) {
    SDL_Event e{};
    e.type = e.key.type = enfoncee ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.timestamp = SDL_GetTicks();
    e.key.state = enfoncee ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = k;
    e.key.keysym.scancode = static_cast<SDL_Scancode>(place);
    return e;
}

}  // namespace

Manettes::~Manettes() {
    // Only pads still open: SDL_Quit may have closed them all already.
    for (const Manette& m : m_manettes)
        if (SDL_GameController* c = SDL_GameControllerFromInstanceID(m.id)) SDL_GameControllerClose(c);
}

Manettes::Manette* Manettes::trouver(SDL_JoystickID id) {
    for (Manette& m : m_manettes)
        if (m.id == id) return &m;
    return nullptr;
}

void Manettes::tenir(Manette& m, int entree, bool tenue, std::deque<SDL_Event>& sortie) {
    const unsigned int bit = 1u << entree;
    if (((m.tenues & bit) != 0) == tenue) return;
    m.tenues ^= bit;
    int& n = m_tenues[kTouche[entree]];
    n += tenue ? 1 : -1;
    // The key goes down with the first input that holds it, up with the last,
    // both at the first one's place.
    if (tenue && n == 1) m_places[kTouche[entree]] = kPlaceManette + entree;
    if ((tenue && n == 1) || (!tenue && n == 0))
        sortie.push_back(touche(kTouche[entree], m_places[kTouche[entree]], tenue));
}

const char* nomEntreeManette(int place) {
    const int i = place - kPlaceManette;
    return i >= 0 && i < kEntrees ? kNoms[i] : "?";
}

bool Manettes::recevoir(const SDL_Event& e, std::deque<SDL_Event>& sortie) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which)) {
            const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
            if (trouver(id))
                SDL_GameControllerClose(c);  // already open: only one reference kept
            else
                m_manettes.push_back({id});
        }
        return true;
    case SDL_CONTROLLERDEVICEREMOVED: {
        Manette* m = trouver(e.cdevice.which);
        if (!m) return true;
        for (int i = 0; i < kEntrees; ++i) tenir(*m, i, false, sortie);
        if (SDL_GameController* c = SDL_GameControllerFromInstanceID(m->id)) SDL_GameControllerClose(c);
        m_manettes.erase(m_manettes.begin() + (m - m_manettes.data()));
        sortie.push_back(e);
        return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (Manette* m = trouver(e.cbutton.which))
            for (const auto& b : kBoutons)
                if (b.bouton == e.cbutton.button) tenir(*m, b.entree, e.type == SDL_CONTROLLERBUTTONDOWN, sortie);
        return true;
    case SDL_CONTROLLERAXISMOTION: {
        Manette* m = trouver(e.caxis.which);
        const int v = e.caxis.value;
        if (m && e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
            tenir(*m, SGauche, v < -kZoneMorte, sortie);
            tenir(*m, SDroite, v > kZoneMorte, sortie);
        } else if (m && e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {  // up is negative
            tenir(*m, SHaut, v < -kZoneMorte, sortie);
            tenir(*m, SBas, v > kZoneMorte, sortie);
        }
        return true;
    }
    case SDL_JOYDEVICEADDED:
        // A device SDL has no mapping for plays no part: say how to give one.
        if (!SDL_IsGameController(e.jdevice.which))
            std::fprintf(stderr,
                         "%s: the joystick \"%s\" is no gamepad SDL knows; give its mapping in "
                         "SDL_GAMECONTROLLERCONFIG to play with it\n",
                         program_invocation_short_name, SDL_JoystickNameForIndex(e.jdevice.which));
        return true;
    default:  // the same pads seen as joysticks, and what no loop uses of a pad
        return e.type >= SDL_JOYAXISMOTION && e.type < SDL_FINGERDOWN;
    }
}

bool demarrerManettes() {
    const char* fichier = std::getenv("SDL_GAMECONTROLLERCONFIG_FILE");
    if (fichier && *fichier && !ouvrirLecture(fichier) && errno != ENOENT) {
        std::fprintf(stderr, "%s: SDL_GAMECONTROLLERCONFIG_FILE %s %s; it is not read\n",
                     program_invocation_short_name, fichier, raisonLecture(errno).c_str());
        unsetenv("SDL_GAMECONTROLLERCONFIG_FILE");
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) return true;
    std::fprintf(stderr, "%s: no gamepad support: %s\n", program_invocation_short_name, SDL_GetError());
    return false;
}

}  // namespace sys
