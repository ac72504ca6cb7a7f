// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_NIVEAUX_CONNUS_H
#define VORNA_SCORES_NIVEAUX_CONNUS_H

#include <map>
#include <memory>
#include <shared_mutex>
#include <string>

// A level the server verifies runs of: its bytes, their SHA-256, its number
// (1 to 14 for a scenario level, 0 for a free map), the points a run of it
// starts with (0: a free map's), and the path the game's ghosts of it name.
struct NiveauConnu {
    int numero = 0;
    std::string empreinte;
    std::string octets;
    int pointsDepart = 0;
    std::string chemin;
};

// The levels the server accepts runs of, known by number and by hash: the
// fourteen scenario levels as the game ships them, and the free maps added
// since. May be read from any thread while maps are added.
class NiveauxConnus {
public:
    // Reads mapN.qzm (N from 1 to 14) from `dossier`; the levels missing or
    // unreadable are said on standard error and left out. Their count.
    int chargerScenarios(const std::string& dossier);
    // A free map known by its bytes (its hash); false when its bytes hold no course.
    bool ajouterCarte(const std::string& octets);

    std::shared_ptr<const NiveauConnu> parNumero(int numero) const;
    std::shared_ptr<const NiveauConnu> parEmpreinte(const std::string& empreinte) const;
    size_t nombre() const;

private:
    void ajouter(std::shared_ptr<const NiveauConnu> n);

    mutable std::shared_mutex m_mutex;
    std::map<int, std::shared_ptr<const NiveauConnu>> m_parNumero;
    std::map<std::string, std::shared_ptr<const NiveauConnu>> m_parEmpreinte;
};

// A free map made of `octets`, as ajouterCarte knows it; null when its bytes hold no course.
std::shared_ptr<const NiveauConnu> niveauCarte(const std::string& octets);

// Where the game's package installs its scenario levels, seen from this
// program (../share/vorna/maps/niveau), else the build's game folder
// (../game/maps/niveau).
std::string dossierNiveauxParDefaut();

#endif
