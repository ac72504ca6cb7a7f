// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_ENVOI_CARTE_H
#define VORNA_EDITEUR_ENVOI_CARTE_H

#include <string>
#include <vector>

#include "requete_http.h"

namespace editeur {

// A map published on the score server (POST /carte): its title, its
// author, its file's bytes, its overview as a PNG and the author's run that
// finishes it, in sections each a header line then exactly that many bytes:
//   vorna-carte 1\n
//   titre TITLE\n
//   auteur NAME\n
//   carte N\n  then the N bytes of the map
//   apercu M\n then the M bytes of the PNG (0: no picture)
//   course K\n then the K bytes of the run (encoderCourse)

const std::size_t kCarteMax = 256 * 1024, kApercuMax = 64 * 1024;
const std::size_t kTitreMax = 60, kAuteurMax = 24;  // characters

std::string enveloppeCarte(const std::string& titre, const std::string& auteur, const std::string& carte,
                           const std::string& apercu, const std::string& course);

// A title or an author's name as typed, spaces trimmed from both ends; ""
// when it is empty, longer than `max` characters, or holds a control
// character (a tab or a line end included).
std::string nettoyerChamp(const std::string& brut, std::size_t max);

// What the editor makes of the server's answer.
struct ReponseCarte {
    enum Issue { Publiee, Existe, Refusee, Injoignable } issue = Injoignable;
    std::string id, adresse;  // Publiee, Existe: the map's number and the path of its page
    std::string mot, phrase;  // Refusee: the server's word and its sentence for the author
    std::string raison;       // Injoignable: why, in a few words
};

// 201 "publiee" and 409 "existe", each with "id N" and "adresse /maps/N";
// a 4xx or 503 "refuse WORD" then a sentence; anything else, and no answer
// at all, is a server out of reach.
ReponseCarte lireReponseCarte(const RequeteHttp::Reponse& r);

// The lines the editor shows for an answer (translated), the first its title.
std::vector<std::string> lignesReponseCarte(const ReponseCarte& r);

// How long the editor waits for the server, in all (a test may shorten it).
long delaiPublication();
void setDelaiPublication(long ms);

}  // namespace editeur

#endif
