// SPDX-License-Identifier: GPL-3.0-or-later
// The keys and the mouse of an editing session. Every key acts when it is
// let go, as the editor's keys always did, with the modifiers it was pressed
// with: a key pressed with Ctrl does only its Ctrl action (Ctrl+Z, Ctrl+Y,
// Ctrl+Shift+Z, Ctrl+D, Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+A) and never its plain
// one, not even the movement of a held w, a, s, d, q or e. The publishing
// panel, while open, takes the keys and the text typed as they come.
#include <numeric>

#include "session_edition.h"
#include "systeme.h"

namespace editeur {

namespace {

const SDL_Keycode kDeplacements[6] = {SDLK_w, SDLK_s, SDLK_q, SDLK_d, SDLK_a, SDLK_e};

bool modificateur(SDL_Keycode k) {
    switch (k) {
    case SDLK_LCTRL: case SDLK_RCTRL: case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LALT:
    case SDLK_RALT: case SDLK_LGUI: case SDLK_RGUI: case SDLK_CAPSLOCK: case SDLK_MODE: return true;
    default: return false;
    }
}

}  // namespace

void Edition::evenements() {
    SDL_Event e;
    while (sys::pollEvent(&e)) {
        switch (e.type) {
        case SDL_KEYDOWN: toucheEnfoncee(e.key.keysym.sym, e.key.keysym.mod); break;
        case SDL_KEYUP: toucheRelachee(e.key.keysym.sym, e.key.keysym.mod); break;
        case SDL_MOUSEWHEEL:
            // One step per turn of the wheel: away from the user brings the
            // camera nearer.
            if (sys::molette(e) > 0 && distanceCam >= 5) distanceCam -= 3;
            if (sys::molette(e) < 0) distanceCam += 3;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT && clic(e.button.x, e.button.y)) commencerGlisse(e.button.x, e.button.y);
            if (e.button.button == SDL_BUTTON_RIGHT) commencerRectangle(e.button.x, e.button.y);
            break;
        case SDL_MOUSEMOTION: glisser(e.motion.x, e.motion.y); break;
        case SDL_MOUSEBUTTONUP:
            if (e.button.button == SDL_BUTTON_LEFT) finirGlisse();
            if (e.button.button == SDL_BUTTON_RIGHT) finirRectangle();
            break;
        case SDL_TEXTINPUT: publication.texte(e.text.text); break;
        case SDL_QUIT: demanderDepart(true); break;
        default: break;
        }
    }
}

void Edition::toucheEnfoncee(SDL_Keycode k, Uint16 mod) {
    if (k == SDLK_LSHIFT || k == SDLK_RSHIFT) majTenue = true;
    // The publishing panel takes every key (held ones repeat there), and
    // their releases do nothing.
    if (publication.ouverte() && !modificateur(k)) {
        avalees.insert(k);
        if (publication.touche(k) == Publication::Envoyer) envoyerPublication();
        return;
    }
    if (modificateur(k) || avalees.count(k)) return;
    // Any key closes the help screen or answers the question, and does nothing else.
    if (panneau()) {
        avalees.insert(k);
        aide = false;
        if (question) repondre(k);
        else if (conflit) repondreConflit(k);
        return;
    }
    mods[k] = mod;
    if (mod & KMOD_CTRL) return;
    for (int i = 0; i < 6; ++i)
        if (k == kDeplacements[i]) direction[i] = 1;
}

void Edition::toucheRelachee(SDL_Keycode k, Uint16 mod) {
    if (k == SDLK_LSHIFT || k == SDLK_RSHIFT) majTenue = false;
    for (int i = 0; i < 6; ++i)
        if (k == kDeplacements[i]) direction[i] = 0;
    if (avalees.erase(k)) return;
    const auto m = mods.find(k);
    if (m != mods.end()) mod = m->second, mods.erase(m);
    if (modificateur(k) || panneau()) return;
    if (mod & KMOD_CTRL)
        toucheCtrl(k, mod & KMOD_SHIFT);
    else if (!toucheNouvelle(k, mod & KMOD_SHIFT))
        touchePremiere(k);
}

void Edition::toucheCtrl(SDL_Keycode k, bool maj) {
    switch (k) {
    case SDLK_z: annuler(maj); break;
    case SDLK_y: annuler(true); break;
    case SDLK_d: dupliquer(); break;
    case SDLK_c: copier(false); break;
    case SDLK_x: copier(true); break;
    case SDLK_v: coller(); break;
    case SDLK_a: {  // every placed object
        fermerGeste();
        std::vector<int> tous(nbre_obj);
        std::iota(tous.begin(), tous.end(), 0);
        selection.choisirTous(tous);
        break;
    }
    default: break;
    }
}

// The keys the editor did not always have; false for the others.
bool Edition::toucheNouvelle(SDL_Keycode k, bool maj) {
    switch (k) {
    case SDLK_TAB:
        fermerGeste();
        maj ? selection.precedente(nbre_obj) : selection.suivante(nbre_obj);
        return true;
    case SDLK_g: (maj ? aimant : grille) = !(maj ? aimant : grille); return true;
    case SDLK_o: dessus = !dessus; return true;
    case SDLK_F1: aide = true; return true;
    case SDLK_F9: publier(); return true;
    case SDLK_DELETE: supprimerChoisi(); return true;
    default: return false;
    }
}

// The editor's own keys, acting on the chosen object when there is one.
void Edition::touchePremiere(SDL_Keycode k) {
    const double a = agrandissement;
    switch (k) {
    case SDLK_UP: agrandir(a, 0, 0); break;
    case SDLK_DOWN: agrandir(-a, 0, 0); break;
    case SDLK_RIGHT: agrandir(0, a, 0); break;
    case SDLK_LEFT: agrandir(0, -a, 0); break;
    case SDLK_j: agrandir(0, 0, a); break;
    case SDLK_n: agrandir(0, 0, -a); break;
    case SDLK_t: changerType(1); break;
    case SDLK_r: changerType(-1); break;
    case SDLK_RETURN: placer(); break;
    case SDLK_BACKSPACE: retirerDernier(); break;
    case SDLK_p: garderDepart(); break;
    case SDLK_SPACE: sauver(); break;
    case SDLK_z: vue = 0; break;
    case SDLK_x: vue = 1; break;
    case SDLK_ESCAPE: demanderDepart(false); break;
    case SDLK_F5: essayer(); break;
    default: break;
    }
}

// A left click chooses the object under the pointer, in the view of the
// frame last drawn (true then: a drag may follow), alone unless it is one of
// the group already chosen; on nothing, it goes back to the cursor. With
// Shift it adds the object to the group or takes it out.
bool Edition::clic(int x, int y) {
    if (panneau()) {
        aide = question = conflit = partirApres = false;
        return false;
    }
    fermerGeste();
    Rayon r;
    if (!rayonDuPoint(vueImage, x, y, r)) return false;
    const int i = objetVise(joueur, nbre_obj, r);
    if (majTenue) {
        if (i >= 0) selection.basculer(i);
        return i >= 0 && selection.contient(i);
    }
    if (i < 0) selection.aucune();
    else selection.choisirTous({i}, selection.contient(i));  // a member of the group leads it
    return i >= 0;
}

// Escape (or the window's close button, `fermeture`): back to the cursor
// first, then away, asking first when the map has changes not saved. Closing
// the window again while asked leaves without saving.
void Edition::demanderDepart(bool fermeture) {
    fermerGeste();
    conflit = partirApres = false;  // closing the window answers "not saved"
    if (!fermeture && selection.active()) {
        selection.aucune();
    } else if (question || !historique.modifie()) {
        continuer = 0;
    } else {
        question = true;
        aide = false;
    }
}

void Edition::repondre(SDL_Keycode k) {
    question = false;
    if (k == SDLK_SPACE ? sauver() : k == SDLK_ESCAPE) continuer = 0;
    // Saving over a map changed on the disk asks first; the answer that saves leaves.
    partirApres = conflit;
}

}  // namespace editeur
