// SPDX-License-Identifier: GPL-3.0-or-later
#include "course_pilotee.h"

#include <algorithm>
#include <sstream>

#include "jeu.h"

// The waypoints of each solution, "x y" with an optional manner and radius:
// P3 is taken at speed within 3, S is reached once resting on a floor (see Pilote).

const std::vector<Solution> kSolutions = {
    {"map1", "-97 1, -98 67, -124 70 P3, -140 66 P3, -156 70 P3, -172 66 P3, -188 66 P3, -205 68 P3,"
     "-234 68"},
    {"map2", "-50 0, -50 -30, -150 -30, -150 22, -178 22, -178 45, -178 24, -200 22, -200 -20, -310 -20"},
    {"map3", "-105 0 P3, -160 0 P3, -200 0 P3, -238 -3 P3, -262 2 P3, -284 -3 P3, -296 -14, -320 3 P3,"
     "-346 -3 P3, -378 0 P3, -476 0"},
    {"map4", "-70 0, -94 48, -106 48, -130 -48, -142 -48, -166 48, -178 48, -190 0, -203 0 P2, -249 0"},
    {"map5", "-40 15, -40 45, -144 45, -144 6, -129 6, -144 0, -144 -45, -248 -45, -263 -58, -248 -42,"
     "-248 45, -330 45 P3, -372 10"},
    {"map6", "-45 0, -45 105, -125 105, -125 0, -205 0, -205 105, -276 105"},
    {"map7", "-95 0 P4, -112 4 P3, -345 4 P3, -360 2, -360 -27, -360 -4, -565 -4 P3, -575 2 P3,"
     "-585 4 P3, -655 4 P3, -665 -2 P3, -675 -4 P3, -826 -4"},
    {"map8", "-16 5, -36 5, -36 15, -26 15, -26 25, -46 25, -46 5, -56 5, -56 15, -66 15, -66 5, -76 5,"
     "-76 -5, -66 -5, -66 -35, -76 -35, -76 -15, -86 -15, -86 -35, -116 -35, -116 -25, -106 -25,"
     "-106 -15, -116 -15, -116 -5, -96 -5, -96 5, -116 5, -116 25, -126 25, -126 -5, -148 -5"},
    {"map9", "-40 0 P3, -51 0 P2, -76 0 S3, -76 31, -100 32 P3, -117 32 P2, -140 32 S3, -142 -3,"
     "-166 -3 P3, -183 -6 P2, -206 -8 S3, -222 -7.5 P2, -248 -7.5 P2, -262 -7, -262 22, -286 22 P3,"
     "-303 22 P2, -326 22 S3, -352 22 P3, -371 22 P2, -390 22 S3, -420 22 P3, -439 22 P2, -458 22 S3,"
     "-472 22"},
    {"map10", "-33.5 0, -33.5 66.5, -150 66.5 P2, -158 56 S, -156 56, -156 -40 P2, -146.5 -44 S,"
     "-146.5 -46.5, -65 -46.5 P2, -60 -38 S, -62 -38, -62 28 P2, -69.5 32 S, -69.5 30.5, -120 30.5 P2,"
     "-124 23.5 S, -76.5 23.5, -76.5 10 P2, -90 4 S, -100 0"},
    {"map11", "-40 0, -40 -60, -167 -60, -204 -60, -204 21, -219 21, -204 25, -204 60, -331 60, -368 60,"
     "-368 -39, -353 -39, -368 -35, -368 -60, -495 -60 P3, -650 -60 P3, -675 -60 P2, -720 -60 S,"
     "-740 -60, -750 -45, -770 -35, -777 -35 P2, -806 -35 S, -830 -35 P3, -842 -35 P2, -872 -35 S,"
     "-880 -35"},
    {"map12", "-74 0, -74 40 P2, -86 50 S, -86 56, -86 -50 P2, -98 -54 S, -98 50 P2, -110 54 S,"
     "-110 -50 P2, -122 -54 S, -122 54, -204 54 P3, -251 54, -264 52 P3, -273 46 P3, -282 52 P3,"
     "-291 46 P3, -300 52 P3, -309 46 P3, -322 46, -338 46, -338 58 P2, -352 64 S, -352 44 P2, -370 40 S,"
     "-370 56"},
    {"map13", "-30 0 P2, -52.5 -3 S, -58 2 P2, -71.5 14 S, -76.5 14 P2, -94 2 S, -96 -8, -124 -8 P2,"
     "-160 -8 P2, -184 -8 P2, -200 -8 P3, -205 0, -212 -6 P2, -229 -6 S, -234.4 -4.2 P2, -247.6 6.2 S,"
     "-252.4 6.2 P2, -265.6 -4.2 S, -270.4 -4.2 P2, -283.6 6.2 S, -288.4 6.2 P2, -301.6 -4.2 S, -305 -6,"
     "-312 -6 P2, -337.5 -6 P2, -355 0 S, -359.5 2.6 P2, -367.5 16.4 S, -372 19 P2, -388 19 S,"
     "-392.5 16.4 P2, -400.5 2.6 S, -400.5 -2.6 P2, -392.5 -16.4 S, -388 -19 P2, -373 -20.5 S,"
     "-369 -15.5 P2, -380 0"},
    {"map14", "-24 0, -30 0, -30 -12, -42 -12, -42 -36, -66 -36, -66 -12, -90 -12, -102 -12, -102 37,"
     "-110 37 P3, -150 37, -160 29 P2, -186 30 S, -172 14, -172 9, -176 -7, -176 -14, -190 -34, -204 -34,"
     "-252 -34 P2, -270 -34, -255 -26, -255 -18, -289 -12, -289 -4, -255 2, -255 10, -289 16, -289 24,"
     "-289 37, -296 37 P3, -336 37, -346 29 P2, -372 32 S, -358 14, -358 9, -376 -16, -376 -34"},
    {"Belvedere", "-40 0, -40 30, -40 38 P2, -58 48 S, -74 64, -78 36, -150 36, -150 -30, -200 -30,"
     "-200 0, -246 0"},
    {"Toboggan", "-44 0 P3, -71 -6 P3, -111 -6 P3, -138 0 P3, -178 0 P3, -205 -6 P3, -245 -6 P3,"
     "-272 0 P3, -312 0 P3, -339 -6 P3, -379 -6 P3, -406 0 P3, -446 0 P3, -473 -6 P3, -499 -6"},
    {"Archipel", "-8 3.5, -32 3.5, -36 10, -44 10 P2, -84 10 S, -96 0, -117 0, -117 -12, -120 -20,"
     "-128 -20 P2, -168 -20 S, -180 -10, -180 14, -184 24, -192 24 P2, -236 24"},
};

std::vector<Pilote::Point> pointsSolution(const std::string& texte) {
    std::vector<Pilote::Point> r;
    std::istringstream in(texte);
    for (std::string morceau; std::getline(in, morceau, ',');) {
        std::istringstream m(morceau);
        Pilote::Point p{0, 0};
        std::string maniere;
        m >> p.x >> p.y >> maniere;
        if (!maniere.empty()) p.maniere = maniere[0] == 'P' ? Pilote::Passer : Pilote::Poser;
        if (maniere.size() > 1) p.rayon = std::stod(maniere.substr(1));
        r.push_back(p);
    }
    return r;
}


void PrintTo(const Solution& s, std::ostream* os) { *os << s.nom; }

std::optional<Course> coursePilotee(SystemeScript& systeme, int niveau) {
    const std::string nom = "map" + std::to_string(niveau);
    const auto s = std::find_if(kSolutions.begin(), kSolutions.end(), [&](const Solution& x) { return x.nom == nom; });
    if (s == kSolutions.end()) return std::nullopt;
    Jeu jeu(640, 480);
    jeu.setFantome(false);
    jeu.setScenario(true);
    jeu.setMapScenario(static_cast<unsigned int>(niveau));
    jeu.setNiveauMax(static_cast<unsigned int>(niveau));
    jeu.setMapsMax(14);
    Pilote pilote(systeme, pointsSolution(s->points));
    bool arrive = false;
    systeme.limite(systeme.frame() + 20000);
    systeme.surImage([&](int f) {
        const InstantPartie& i = jeu.getInstant();
        pilote.image(i);
        if (i.win && !arrive) arrive = true, systeme.tape(f + 2, SDLK_RETURN);  // "Niveau suivant"
    });
    jeu.jouer();
    systeme.surImage(nullptr);
    return jeu.derniereCourse();
}
