// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_REPONSE_TEXTE_H
#define VORNA_SCORES_REPONSE_TEXTE_H

#include <string>

#include "demande.h"

// The answers the game and the editor read: plain text, its first line a word.

inline Reponse texte(int statut, const std::string& corps) {
    Reponse r;
    r.statut = statut;
    r.type = "text/plain; charset=utf-8";
    r.corps = corps;
    r.entete("Cache-Control", "no-store");
    return r;
}

// A refusal: its status, a word for the program and a sentence for the player.
inline Reponse refus(int statut, const char* mot, const std::string& phrase) {
    return texte(statut, std::string("refuse ") + mot + "\n" + phrase + "\n");
}

#endif
