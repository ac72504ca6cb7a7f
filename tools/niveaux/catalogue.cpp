// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "niveaux.h"

const std::vector<NiveauLivre>& niveauxLivres() {
    static const std::vector<NiveauLivre> liste = {
        {"niveau/map1.qzm", campEntrainement}, {"niveau/map2.qzm", promenade},
        {"niveau/map3.qzm", flux},             {"niveau/map4.qzm", citadelle},
        {"niveau/map5.qzm", alphaCity},        {"niveau/map6.qzm", crossfire},
        {"niveau/map7.qzm", speedsBridge},     {"niveau/map8.qzm", dedale},
        {"niveau/map9.qzm", thetaCity},        {"niveau/map10.qzm", pyramid},
        {"niveau/map11.qzm", deltaCity},       {"niveau/map12.qzm", mountain},
        {"niveau/map13.qzm", peak},            {"niveau/map14.qzm", cage},
        {"Belvedere.txt", belvedere},          {"Toboggan.txt", toboggan},
        {"Archipel.txt", archipel},
    };
    return liste;
}

bool ecrireNiveauxLivres(const std::string& dossierMaps) {
    for (const NiveauLivre& n : niveauxLivres())
        if (!ecrireNiveau(dossierMaps + "/" + n.fichier, n.construire())) return false;
    return true;
}
