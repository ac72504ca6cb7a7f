// SPDX-License-Identifier: GPL-3.0-or-later
#include "publication.h"

#include "caracteres.h"
#include "fenetre.h"
#include "traduction.h"

namespace editeur {

namespace {

const std::size_t kChampMontre = 44;  // characters of a field shown, its end kept

// The field as shown: its last characters, the caret after it while typed.
std::string montrerChamp(const std::string& champ, bool actif) {
    const std::u32string u = enCaracteres(champ);
    const std::string t = u.size() > kChampMontre ? ".." + enUtf8(u.substr(u.size() - kChampMontre)) : champ;
    return actif ? t + "_" : t;
}

}  // namespace

void Publication::changer(Etat e) {
    m_etat = e;
    saisieTexte(e == Saisie);
}

void Publication::ouvrir(const std::string& auteur, const std::string& titre) {
    changer(Saisie);
    m_champs[0] = auteur;
    m_champs[1] = titre;
    m_champ = auteur.empty() ? 0 : 1;
    m_erreur.clear();
    m_reponse.clear();
}

Publication::Action Publication::touche(SDL_Keycode k) {
    if (m_etat == Envoi) {
        if (k == SDLK_ESCAPE) m_requete.reset(), changer(Fermee);  // the request cut short
        return Rien;
    }
    if (m_etat == Reponse || k == SDLK_ESCAPE) {
        changer(Fermee);
        return Rien;
    }
    std::string& champ = m_champs[m_champ];
    if (k == SDLK_TAB || k == SDLK_DOWN || k == SDLK_UP) {
        m_champ = 1 - m_champ;
    } else if (k == SDLK_BACKSPACE && !champ.empty()) {
        const std::u32string u = enCaracteres(champ);
        champ = enUtf8(u.substr(0, u.size() - 1));
    } else if (k == SDLK_RETURN || k == SDLK_KP_ENTER) {
        const std::string auteur = nettoyerChamp(m_champs[0], kAuteurMax), titre = nettoyerChamp(m_champs[1], kTitreMax);
        if (auteur.empty() || titre.empty()) {
            m_champ = auteur.empty() ? 0 : 1;
            m_erreur = auteur.empty() ? formater(tr("Nom d'auteur: 1 a %d caracteres"), int(kAuteurMax))
                                      : formater(tr("Titre: 1 a %d caracteres"), int(kTitreMax));
            return Rien;
        }
        m_champs[0] = auteur;
        m_champs[1] = titre;
        return Envoyer;
    }
    return Rien;
}

void Publication::texte(const std::string& t) {
    if (m_etat != Saisie) return;
    for (unsigned char c : t)
        if (c < 0x20 || c == 0x7F) return;
    std::string& champ = m_champs[m_champ];
    if (nombreCaracteres(champ + t) <= (m_champ == 0 ? kAuteurMax : kTitreMax)) champ += t;
    m_erreur.clear();
}

bool Publication::envoyer(const std::string& url, const std::string& corps) {
    m_requete = std::make_unique<RequeteHttp>();
    if (!m_requete->lancer(url, true, corps, delaiPublication(), 64 * 1024, "application/octet-stream")) return false;
    changer(Envoi);
    return true;
}

bool Publication::suivre(ReponseCarte& r) {
    if (m_etat != Envoi || !m_requete || !m_requete->finie()) return false;
    r = lireReponseCarte(m_requete->reponse());
    m_requete.reset();
    return true;
}

void Publication::montrer(const std::vector<std::string>& lignes) {
    m_reponse = lignes;
    changer(Reponse);
}

std::vector<std::string> Publication::lignes() const {
    switch (m_etat) {
    case Saisie:
        return {tr("Publier la map sur le serveur"),
                tr("Auteur:") + std::string(" ") + montrerChamp(m_champs[0], m_champ == 0),
                tr("Titre:") + std::string(" ") + montrerChamp(m_champs[1], m_champ == 1),
                m_erreur.empty() ? tr("Entree: publier, Tab: champ, Echap: annuler") : m_erreur};
    case Envoi: return {tr("Publier la map sur le serveur"), tr("Envoi de la map..."), tr("Echap: annuler")};
    case Reponse: {
        std::vector<std::string> r = m_reponse;
        r.push_back(tr("Une touche ferme ce panneau"));
        return r;
    }
    default: return {};
    }
}

}  // namespace editeur
