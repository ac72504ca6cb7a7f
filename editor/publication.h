// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_PUBLICATION_H
#define VORNA_EDITEUR_PUBLICATION_H

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "envoi_carte.h"
#include "requete_http.h"

namespace editeur {

// The panel that publishes a map: the author's name and the title typed
// (Tab goes from one to the other, Return sends, Escape closes), then the
// map on its way (the request in a thread of its own: the editor goes on
// drawing), then the server's answer until a key closes it.
class Publication {
public:
    enum Etat { Fermee, Saisie, Envoi, Reponse };
    enum Action { Rien, Envoyer };

    void ouvrir(const std::string& auteur, const std::string& titre);
    Etat etat() const { return m_etat; }
    bool ouverte() const { return m_etat != Fermee; }
    // A key pressed while the panel is open: Envoyer when Return asks to
    // send fields that are valid (auteur() and titre() then hold them trimmed).
    Action touche(SDL_Keycode k);
    // Text typed (UTF-8), into the field being typed.
    void texte(const std::string& t);
    const std::string& auteur() const { return m_champs[0]; }
    const std::string& titre() const { return m_champs[1]; }

    // Posts `corps` (the envelope) to `url`; false when it cannot start.
    bool envoyer(const std::string& url, const std::string& corps);
    // Asked once a frame while sending: true once the answer came, with it in `r`.
    bool suivre(ReponseCarte& r);
    // The panel shows the answer's lines until a key closes it.
    void montrer(const std::vector<std::string>& lignes);

    // What the panel shows, the first line its title.
    std::vector<std::string> lignes() const;

private:
    void changer(Etat e);  // text is typed in Saisie only

    Etat m_etat = Fermee;
    std::string m_champs[2];  // the author, the title
    int m_champ = 0;          // the field being typed
    std::string m_erreur;     // why Return did not send
    std::vector<std::string> m_reponse;
    std::unique_ptr<RequeteHttp> m_requete;
};

}  // namespace editeur

#endif
