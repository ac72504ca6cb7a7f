// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ENVOI_COURSE_H
#define VORNA_ENVOI_COURSE_H

#include <string>

#include "course.h"
#include "requete_http.h"

// A finished run sent to the score server (POST /course, its text in the
// body), which plays it again before it ranks it. The answer is read in the
// background; the end-of-level screen asks for it at each frame.

// How long the game waits for the score server, in all, by default.
const long kDelaiServeurMs = 8000;
// The time-out in use (a test may shorten it).
long delaiServeur();
void setDelaiServeur(long ms);

// The SHA-256 of the bytes of the file at `chemin` ("" when it cannot be read).
std::string empreinteFichier(const std::string& chemin);

// What the game makes of the server's answer.
struct ReponseCourse {
    enum Issue { Verifiee, Refusee, Injoignable } issue = Injoignable;
    int place = 0;       // Verifiee: its place on the level's leaderboard (1 the best)
    std::string nom;     // Verifiee: the path of the run's name form on the server
    std::string mot;     // Refusee: the server's word (illisible, trop-long...)
    std::string phrase;  // Refusee: the server's sentence for the player
    std::string raison;  // Injoignable: why, in a few words
};

// A 200 reading "verifie", "id ...", "place N", "nom /PATH" is a verified
// run; a 4xx reading "refuse WORD" then a sentence is a refusal (429, the
// server's limit of runs from one address, too); anything else, and no
// answer at all, is a server out of reach.
ReponseCourse lireReponseCourse(const RequeteHttp::Reponse& r);

// The line of the screen (translated) for an answer.
std::string texteReponseCourse(const ReponseCourse& r);

// One run on its way at a time.
class EnvoiCourse {
public:
    // Starts sending `c` to the score server in use; false while another
    // run is on its way.
    bool envoyer(const Course& c);
    bool enCours() const { return m_requete.enCours(); }
    // Asked once a frame: true on the first call after the answer came, with
    // it in `r`.
    bool suivre(ReponseCourse& r);

private:
    RequeteHttp m_requete;
    bool m_attendue = false;
};

#endif
