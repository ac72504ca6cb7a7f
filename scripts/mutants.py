#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Deliberate faults, planted one at a time, to see which ones the tests catch.

For people, not for CI: each fault costs a rebuild and a run of the suite, so a
whole run takes hours. The tracked files are copied once into a scratch folder
(never the working tree), with its own build folder kept from run to run so
that each fault only rebuilds what it touches. Each fault replaces one exact
text of one file; the suite then runs under Xvfb (unit tests first, stopping
at the first failure), and the file is put back. A fault whose text is no
longer in the file is reported as such, never as caught.

    python3 scripts/mutants.py                # every fault
    python3 scripts/mutants.py --list         # the table, and whether each applies
    python3 scripts/mutants.py physique 7 12  # the faults of an area, or by number
Options: --scratch DIR (default /tmp/vorna-mutants), --display N (default 100),
--jobs N (default 2), --log FILE (results as they come, one line each), --tests REGEX
(only the tests whose names match, to look at a few faults quickly), --no-clean-run.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

# (file, exact text, replacement, area, what the fault does)
MUTANTS = [
    # The ball's own motion.
    ("game/heros.cpp", "const double kFrottement = 0.005;", "const double kFrottement = 0.006;",
     "physique", "stronger friction"),
    ("game/heros.cpp", "if (m_xspeed >= m_maxspeed)", "if (m_xspeed > m_maxspeed)",
     "physique", "the speed limit leaves out its own value"),
    ("game/heros.cpp", "const double kFreinLimiteYNegatif = 0.005;",
     "const double kFreinLimiteYNegatif = 0.01;", "physique", "no -y quirk of the soft limit"),
    ("game/jeu_collision.cpp", "const double kGravite = -0.01;", "const double kGravite = -0.012;",
     "physique", "stronger gravity"),
    ("game/heros.cpp", "    if (m_pause) return;\n    m_xspeed += dx;", "    m_xspeed += dx;",
     "physique", "a paused ball takes thrust"),
    ("game/heros.cpp", "if (m_win || m_pause) return;", "if (m_pause) return;",
     "physique", "a winning ball still moves"),
    ("game/heros.cpp", "glRotated(m_x * 100, 0, 1, 0);", "glRotated(m_x * 90, 0, 1, 0);",
     "physique", "the ball rolls 90 degrees per unit"),
    ("game/partie.h", "double vitessespeed = 0.02;", "double vitessespeed = 0.025;",
     "physique", "stronger thrust of the arrow keys"),
    ("game/jeu_collision.cpp", "b.setSX(b.getSX() / -2);", "b.setSX(b.getSX() / -3);",
     "physique", "a wall sends the ball back at a third of its speed"),
    # Collision with the course.
    ("game/jeu_collision.cpp", "const double kMarge = -0.2;", "const double kMarge = -0.1;",
     "collision", "smaller overlap margin"),
    ("game/jeu_collision.cpp", "for (size_t i = 1; i < n && confirmation_deplacement; ++i) {",
     "for (size_t i = 0; i < n && confirmation_deplacement; ++i) {",
     "collision", "the first block stops a ball moving toward -x"),
    ("game/jeu_collision.cpp", "const double kToleranceSol = 0.01;",
     "const double kToleranceSol = 0.02;", "collision", "wider landing tolerance"),
    ("game/jeu_collision.cpp", "const double kFacteurRebond = -4;", "const double kFacteurRebond = -3;",
     "collision", "bounce at a third of the impact speed"),
    ("game/jeu_collision.cpp", "const double kSeuilRebond = 0.01;", "const double kSeuilRebond = 0.02;",
     "collision", "faster impacts stop dead"),
    ("game/jeu_collision.cpp", "if (z && collision_forte_z > 0) {", "if (z && collision_forte_z > 0 && false) {",
     "collision", "no ceilings"),
    ("game/jeu_collision.cpp", "            if (estSolide(c.getClasse())) {", "            if (true) {",
     "collision", "every ceiling bounces the ball back"),
    ("game/jeu_collision.cpp", "return c.getCollision() && c.getClasse() != \"limite\";",
     "return c.getCollision();", "collision", "a fall zone is a wall"),
    ("game/jeu_collision.cpp", "if (m_debut) return true;", "if (false) return true;",
     "collision", "collisions during the start phase"),
    ("game/jeu_collision.cpp", "if (!confirmation_deplacement || !c.getCollision()) continue;",
     "if (!c.getCollision()) continue;", "collision", "every block under the ball acts"),
    ("game/jeu_collision.cpp", "classe == kDepart || classe == \"turbo\" || classe == \"sauvegarde\";",
     "classe == kDepart || classe == \"sauvegarde\";", "collision", "a turbo floor does not bounce"),
    ("game/jeu_collision.cpp",
     "if (c.getX() - l - collision_forte_x <= lbh && lbh <= c.getX() + l + collision_forte_x &&",
     "if (c.getX() - l - collision_forte_x < lbh && lbh <= c.getX() + l + collision_forte_x &&",
     "collision", "a wall exactly one frame away toward +x is missed"),
    # What the special blocks do.
    ("game/jeu_collision.cpp", "joueur->accelerer(-0.02, 0, 0);", "joueur->accelerer(-0.03, 0, 0);",
     "blocs", "a stronger turbo"),
    ("game/jeu_collision.cpp", "if (m_last_checkpoint < i) {", "if (m_last_checkpoint <= i) {",
     "blocs", "a checkpoint counts again"),
    ("game/jeu_collision.cpp", "m_z_save = bloc.getZ() + bloc.getLZ() + 2.1;",
     "m_z_save = bloc.getZ() + bloc.getLZ() + 2.0;", "blocs", "the save point lower"),
    ("game/jeu_collision.cpp", "joueur->setSZ(0.5);", "joueur->setSZ(0.45);",
     "blocs", "a weaker launch pad"),
    ("game/jeu_collision.cpp", "if (!joueur->getWin()) m_son.jouerPreSon(\"arrivee\", -1);",
     "m_son.jouerPreSon(\"arrivee\", -1);", "blocs", "the finish sounds on every landing"),
    ("game/jeu_collision.cpp", "        joueur->tombe2(true);\n", "",
     "blocs", "a fall zone does not make the ball fall"),
    ("game/jeu_collision.cpp", "if (!joueur->getTombe2() && !joueur->getTombe()) m_son",
     "if (!joueur->getTombe2()) m_son", "blocs", "the fall sounds again during a fall"),
    # Pick-ups.
    ("game/jeu_collision.cpp", "joueur->getLX() + tableaubonus->getLX() / 2;",
     "joueur->getLX() + tableaubonus->getLX();", "bonus", "pick-ups taken from farther"),
    ("game/jeu_collision.cpp", "joueur->perdrePV(-1.0);", "joueur->perdrePV(-2.0);",
     "bonus", "two lives a pick-up"),
    ("game/jeu_collision.cpp", "joueur->winMaxSpeed(0.1);", "joueur->winMaxSpeed(0.15);",
     "bonus", "a bigger speed pick-up"),
    ("game/jeu_collision.cpp", "if (dis <= mindis && tableaubonus->getExiste()) {", "if (dis <= mindis) {",
     "bonus", "a pick-up taken again"),
    # Run timers and points.
    ("game/partie_jeu.cpp", "tempsActuel6 - tempsPrecedent6 >= 1)", "tempsActuel6 - tempsPrecedent6 >= 100)",
     "minuteries", "a longer start phase"),
    ("game/partie_jeu.cpp", "if (tempsActuel4 - tempsPrecedent4 > 1500 && !m.m_pause) {",
     "if (tempsActuel4 - tempsPrecedent4 > 1400 && !m.m_pause) {", "minuteries", "a shorter fall"),
    ("game/partie_jeu.cpp", "else if (tempsActuel5 - tempsPrecedent5 > 2000)",
     "else if (tempsActuel5 - tempsPrecedent5 > 2500)", "minuteries", "the checkpoint text stays longer"),
    ("game/partie_jeu.cpp", "if (!ecrireEnvoyer) tempsActuel3 = maintenant;", "tempsActuel3 = maintenant;",
     "minuteries", "the chronometer runs on after the finish"),
    ("game/partie_jeu.cpp", "!b.getWin()) points -= 1;", "!b.getWin()) points -= 2;",
     "minuteries", "two points a frame"),
    ("game/partie_jeu.cpp", "if (!ecrireEnvoyer && !m.m_pause && !b.getWin()) points",
     "if (!ecrireEnvoyer && !b.getWin()) points", "minuteries", "points fall during the pause"),
    ("game/partie_jeu.cpp", "if (b.getVie() <= 0) {", "if (b.getVie() < 0) {",
     "minuteries", "game over one fall later"),
    ("game/partie.cpp", "if (mort.getR() > 4) mort.fR(-5);", "if (mort.getR() > 4) mort.fR(-4);",
     "minuteries", "the fall darkens more slowly"),
    # Restarts.
    ("game/partie_pause.cpp", "    points = points_depart;\n    if (m.m_fantome) fantomeRecommencer();\n"
     "    FSOUND_SetPaused(FSOUND_ALL, 0);", "    if (m.m_fantome) fantomeRecommencer();\n"
     "    FSOUND_SetPaused(FSOUND_ALL, 0);", "recommencer", "a restart keeps the points"),
    ("game/partie_pause.cpp", "b.perdrePV(-5);", "b.perdrePV(-4);",
     "recommencer", "four lives after game over"),
    ("game/partie_pause.cpp", "    // The ball is unfrozen before it is moved, or the move would be refused.\n"
     "    b.setPause(false);\n", "", "recommencer", "the ball is not put back at the start"),
    ("game/partie.cpp", "    framesCourse = 0;\n", "", "recommencer", "the race does not restart"),
    # Ghost recording and numbering.
    ("game/partie_fantome.cpp", "numeroFantome = m.m_nbre_game + m.m_nombre_ghost + 1;",
     "numeroFantome = m.m_nbre_game + m.m_nombre_ghost + 2;", "fantome", "ghost numbers skip one"),
    ("common/fichiers.cpp", "RENAME_NOREPLACE", "0", "fantome", "a kept ghost replaces another"),
    ("game/partie_fantome.cpp", "if (niveau > 98 || !m.m_fantome || m.m_pause) return;",
     "if (niveau > 98 || !m.m_fantome) return;", "fantome", "positions recorded during the pause"),
    ("game/partie_fantome.cpp", "\"ghost/\" + m.m_mapALoad + \"ghost\" + std::to_string(numero)",
     "\"ghost/\" + m.m_mapALoad + std::to_string(numero)", "fantome", "a free map's ghost misnamed"),
    ("game/partie_fantome.cpp", "        std::remove(travail.c_str());\n        return;\n", "        return;\n",
     "fantome", "a ghost not kept is left behind"),
    ("game/fichier_fantome.cpp", "\"@%f,%f,%f\\n\", x, y, z", "\"@%g,%g,%g\\n\", x, y, z",
     "fantome", "positions written in another format"),
    # Progress and the score URL.
    ("game/partie_fin.cpp", "if (m.m_mapScenario == m.m_niveauMax && m.m_mapScenario < m.m_mapsMax) {",
     "if (m.m_mapScenario <= m.m_niveauMax && m.m_mapScenario < m.m_mapsMax) {",
     "progression", "a level below the highest unlocks another"),
    ("game/partie_fin.cpp", "m.m_mapScenario < m.m_mapsMax) {", "m.m_mapScenario <= m.m_mapsMax) {",
     "progression", "the last level unlocks one more"),
    ("game/progression.cpp", "if (!chiffre || n == 0) return 1;", "if (!chiffre) return 1;",
     "progression", "a progress of 0 is taken"),
    ("game/score.cpp", "\"&v=14\"", "\"&v=13\"", "score", "the URL's version"),
    ("game/score.cpp", "static_cast<int64_t>(niveau) * score;", "static_cast<int64_t>(niveau) + score;",
     "score", "the check field is a sum"),
    ("game/partie_fin.cpp", "if (m.m_scenario) m.sendScoreOnline(score);", "m.sendScoreOnline(score);",
     "score", "a free map's score is sent"),
    # The main menu.
    ("game/menu_choix.cpp", "if (choixMax > 0) choix = choix == 0 ? choixMax - 1 : choix - 1;",
     "if (choixMax > 0) choix = choix == 0 ? 0 : choix - 1;", "menu", "Up does not wrap"),
    ("game/menu.cpp", "ouvrirListe(0, std::min<unsigned int>(jeu.getNiveauMax(),",
     "ouvrirListe(0, std::max<unsigned int>(jeu.getNiveauMax(),", "menu", "locked levels within reach"),
    ("game/menu_choix.cpp", "else if (choix2 == 1 || choix2 == 2 || choix2 == 3)\n            ecranHaut();",
     "else if (choix2 == 1 || choix2 == 2 || choix2 == 3)\n            ecranJouer();",
     "menu", "Escape from Play stays there"),
    ("game/menu.cpp", "const bool verrouille = scenario && i >= jeu.getNiveauMax();",
     "const bool verrouille = scenario && i > jeu.getNiveauMax();", "menu", "one locked level shown open"),
    ("game/menu_choix.cpp", "if (!res.fondublanc.getF()) entree();", "entree();",
     "menu", "Return during the fade changes the choice"),
    ("game/menu.cpp", "if (choix2 == 3) jeu.setFantome(!jeu.getFantome());", "",
     "menu", "the ghost option does not switch"),
    # Menu and logo fades.
    ("game/menu.cpp", "        couleur += 4;", "        couleur += 5;", "fondus", "the logo rises faster"),
    ("game/menu.cpp", "if (compteur_logo > 100)", "if (compteur_logo > 90)", "fondus", "a shorter logo hold"),
    ("game/menu.cpp", "                fondu.fR(-5);", "                fondu.fR(-6);",
     "fondus", "the launch fade steps by 6"),
    ("game/menu.cpp", "if (fondu.getR() > 4) {", "if (fondu.getR() > 9) {",
     "fondus", "the launch comes a frame early"),
    ("game/partie_fin.cpp", "        mort.fR(-5);\n        mort.fG(-5);", "        mort.fR(-4);\n        mort.fG(-5);",
     "fondus", "the closing fade of a run steps by 4"),
    ("game/menu.cpp", "sys::delay(30 - (tempsActuel - tempsPrecedent));",
     "sys::delay(31 - (tempsActuel - tempsPrecedent));", "fondus", "the menu paced at 31 ms"),
    # Launching.
    ("game/menu_lancement.cpp", "jeu.setMapScenario(jeu.getMapScenario() + 1);", "jeu.setMapScenario(jeu.getMapScenario() + 2);",
     "lancement", "\"Niveau suivant\" skips a level"),
    ("game/menu_lancement.cpp", "        FSOUND_Stream_Stop(s.musique);\n", "", "lancement", "the menu music plays on in the run"),
    ("game/menu_listes.cpp", "jeu.setMapScenario(choix + 1);", "jeu.setMapScenario(choix);",
     "lancement", "the level before the one chosen"),
    ("game/menu.cpp", "jeu.setNombreGhost(tailleNomGhost);", "jeu.setNombreGhost(tailleNomGhost + 1);",
     "lancement", "ghost count off by one"),
    # Text layout.
    ("common/texte.cpp", "const int kAvance = 32;", "const int kAvance = 30;", "texte", "a narrower pen step"),
    ("common/texte.cpp", "    case 2:  // top-right\n        y = largeur - kHauteurGlyphe;\n"
     "        newX = hauteur - kAvance * n - hauteur / 50;", "    case 2:  // top-right\n"
     "        y = largeur - kHauteurGlyphe;\n        newX = hauteur - kAvance * n - hauteur / 40;",
     "texte", "the top-right text moved left"),
    ("common/texte.cpp", "newX = -kAvance * (n / 2);", "newX = -kAvance * n / 2;",
     "texte", "centred text of odd length moved"),
    ("common/texte.cpp", "const double u = (c % 10) / 10.0;", "const double u = (c % 10 + 1) / 10.0;",
     "texte", "every glyph from the next cell"),
    ("common/texte.cpp", "case '-': return '@';", "case '-': return '-';", "texte", "the dash drawn from its own cell"),
    ("common/texte.cpp", "if (c >= '0' && c <= 'z') return c;", "if (c >= '0' && c <= '~') return c;",
     "texte", "glyphs beyond z drawn"),
    ("common/texte.cpp", "    gluPerspective(70, static_cast<double>(hauteur) / largeur, 1, 1000);\n"
     "    glEnable(GL_DEPTH_TEST);\n", "    gluPerspective(70, static_cast<double>(hauteur) / largeur, 1, 1000);\n",
     "texte", "the depth test left off after a text"),
    # Level files.
    ("common/niveau.cpp", "    int c = std::fgetc(fichier);\n    while (c != EOF) {",
     "    int c = '@';\n    while (c != EOF) {", "niveau", "the first character is not consumed"),
    ("common/niveau.cpp", "        c = std::fgetc(fichier);  // the character after the texture word\n", "",
     "niveau", "the character after a record is not skipped"),
    ("common/niveau.cpp", "%f,%f,%99s\";", "%f,%f,%98s\";", "niveau", "words cut at 98"),
    ("common/niveau.cpp", "if (rang == kEnregistrementsMax) {", "if (rang > kEnregistrementsMax) {",
     "niveau", "one record more than the cap"),
    ("common/niveau.cpp", "if (e.type < 0 || e.type > regles.typeMax) continue;",
     "if (e.type < 0 || e.type >= regles.typeMax) continue;", "niveau", "the highest kind makes nothing"),
    ("common/niveau.cpp", "e.type >= 5 && e.type <= 7) continue;", "e.type >= 5 && e.type <= 6) continue;",
     "niveau", "checkpoints on the menu's level"),
    ("common/niveau.cpp", "const bool etale = e.type == 3 ? regles.turboEtale : true;", "const bool etale = true;",
     "niveau", "the menu's turbo blocks tiled"),
    ("common/niveau.cpp", "%f,%f,%f,%s\\n\", e.type,", "%f,%f,%.0f,%s\\n\", e.type,",
     "niveau", "the writer rounds the last real"),
    ("common/niveau.cpp", "    if (r.empty()) r = \"textureVide\";\n", "", "niveau", "an empty word written empty"),
    ("common/niveau.cpp", "mode = st.st_mode & 07777;", "mode = 0644;", "niveau", "a saved file loses its permissions"),
    ("common/niveau.cpp", "if (n <= 0 || !unChampLu) {", "if (n <= 0) {", "niveau", "a file of no record is read"),
    # The editor.
    ("editor/palette.cpp", "return typeFichier <= 1 ? typeFichier : typeFichier + 1;",
     "return typeFichier <= 1 ? typeFichier : typeFichier;", "editeur", "file kinds read as editor kinds"),
    ("editor/palette.cpp", "return typeEditeur <= 1 ? typeEditeur : typeEditeur - 1;",
     "return typeEditeur < 1 ? typeEditeur : typeEditeur - 1;", "editeur", "floors saved as the start"),
    ("editor/palette.cpp", "return mot == \"textureCaisse\" ? 2 : typeEditeur;", "return typeEditeur;",
     "editeur", "walls read as floors"),
    ("editor/edition.cpp", "for (int i = 0; i < nbre_obj; ++i)", "for (int i = 0; i <= nbre_obj; ++i)",
     "editeur", "the cursor saved"),
    ("editor/edition.cpp", "mapALoad = nomMapLibre(nombreMaps + 1, &numeroNouvelle);",
     "mapALoad = nomMapLibre(nombreMaps, &numeroNouvelle);", "editeur", "a new map numbered from the count"),
    ("editor/commandes_edition.cpp", "sys::molette(e) > 0 && distanceCam >= 5", "sys::molette(e) > 0 && distanceCam >= 4",
     "editeur", "the camera comes nearer than 4"),
    ("editor/changements.cpp", "objet_courant = (objet_courant + pas + kNombreTypes) % kNombreTypes;",
     "objet_courant = (objet_courant + pas + kNombreTypes) % (kNombreTypes - 1);", "editeur", "t and r skip the last kind"),
    ("editor/edition.cpp", "    if (nbre_obj <= 1) {\n        afficher(\"Placez au moins", "    if (nbre_obj < 1) {\n        afficher(\"Placez au moins",
     "editeur", "Space saves one object"),
    ("editor/edition.cpp", "joueur.emplace_back(depart.getX(), depart.getY(), depart.getZ(), 5,",
     "joueur.emplace_back(depart.getX(), depart.getY(), depart.getZ() + 1, 5,",
     "editeur", "the cursor starts above the start"),
    ("editor/historique.cpp", "    pas.id = m_prochain++;\n", "    pas.id = 0;\n", "editeur", "a change is not a change"),
    ("editor/commandes_edition.cpp", "    if (mod & KMOD_CTRL) return;\n", "", "editeur", "Ctrl+D also moves along +y"),
    ("editor/changements.cpp", "    if (!tenue) fermerGeste();\n", "    fermerGeste();\n",
     "editeur", "a held key is a step a frame"),
    ("editor/changements.cpp", "    pas.curseurApres = curseurNeuf(joueur[0]);\n", "    pas.curseurApres = joueur[0];\n",
     "editeur", "after p the start is the cursor"),
    ("editor/pointage.cpp", "if (t >= 0 && t < plusProche)", "if (t >= 0)", "editeur", "a click takes the last object hit"),
    ("editor/historique.cpp", "    if (pas.curseurAvant) objets.back() = *pas.curseurAvant;\n", "",
     "editeur", "undoing p or Backspace leaves the cursor"),
    ("editor/edition.cpp", "        joueur.back().garderMot(e.texture);\n", "", "editeur", "texture words regenerated"),
    ("editor/commandes_edition.cpp", "    } else if (question || !historique.modifie()) {", "    } else if (true) {",
     "editeur", "leaving drops unsaved changes"),
    # Records and the race.
    ("game/records.cpp", "(a.points == b.points && a.temps < b.temps)", "(a.points == b.points && a.temps <= b.temps)",
     "records", "an equal run is a record"),
    ("game/records.cpp", "if (c < 0x20 || c == 0x7F || c == '%') {", "if (c < 0x20 || c == 0x7F) {",
     "records", "'%' in a map name not escaped"),
    ("game/records.cpp", "+ \"-record.qzg\";\n    return", "+ \"record.qzg\";\n    return",
     "records", "a level's best ghost misnamed"),
    ("game/partie_record.cpp", "if (ancien) texteRecord = \"Nouveau record\";", "texteRecord = \"Nouveau record\";",
     "records", "the first finish says \"Nouveau record\""),
    ("game/partie_course.cpp", "static_cast<size_t>(framesCourse), course.size() - 1)",
     "static_cast<size_t>(framesCourse) + 1, course.size() - 1)", "records", "the racing ball a frame ahead"),
    ("game/partie_jeu.cpp", "    if (!m.m_pause && !m.m_debut) ++framesCourse;", "    ++framesCourse;",
     "records", "the race goes on during the pause"),
    ("game/partie.cpp", "case SDLK_g: m.m_course = !m.m_course; break;", "case SDLK_g: break;",
     "records", "G does not hide the racing ball"),
    ("game/partie_fantome.cpp", "        if (m.m_debut) debutChrono = echantillons.size();\n", "",
     "records", "the best ghost keeps the start phase"),
    # The replay.
    ("game/allure_replay.h", "const int kQuarts[] = {1, 2, 4, 8, 16};", "const int kQuarts[] = {1, 2, 4, 8, 12};",
     "replay", "x4 plays at x3"),
    ("game/allure_replay.h", "const int kVitesseMax = 4;", "const int kVitesseMax = 3;", "replay", "no x4"),
    ("game/fantome.cpp", "if (tempsActuel4 - tempsPrecedent4 > 1500) {", "if (tempsActuel4 - tempsPrecedent4 > 1400) {",
     "replay", "a shorter fall in the replay"),
    ("game/fantome.cpp", "                ghost.rembobiner();\n", "", "replay", "Return does not rewind"),
    ("game/fantome.cpp", "if (!pause) horloge += Uint64(maintenant - dernier) * kQuarts[vitesse];",
     "if (!pause) horloge += Uint64(maintenant - dernier) * 4;", "replay", "the chronometer ignores the speed"),
    # Hostile files.
    ("platform/lecture.cpp", "    if (!S_ISREG(st.st_mode)) return EINVAL;\n", "",
     "hostiles", "devices and FIFOs are opened"),
    ("platform/lecture.cpp", "    if (st.st_size > kTailleMaxLecture) return EFBIG;\n", "",
     "hostiles", "no size cap"),
    ("game/fichier_fantome.cpp", "        if (chemin.compare(debut, fin - debut, \"..\") == 0) return false;\n", "",
     "hostiles", "a ghost's level may climb out of maps/"),
    ("game/fichier_fantome.cpp", "if (chemin.compare(0, 5, \"maps/\") != 0 || ", "if (",
     "hostiles", "a ghost's level may lie anywhere"),
    ("game/fichier_fantome.cpp", "        if (niveau.size() == kLongueurCheminMax) return false;\n", "",
     "hostiles", "a ghost header of any length"),
    # Signals.
    ("platform/systeme.cpp", "    recu = signal;\n", "    recu = 0;\n", "signaux", "signals ignored"),
    ("game/application.cpp", "return 128 + signal;", "return 0;", "signaux", "ended by a signal, status 0"),
    ("game/partie.cpp", "        if (finpartie) majProgression();\n", "",
     "signaux", "a signal after the end-of-level menu loses the unlock"),
    ("editor/edition.cpp", "    if (sys::arretDemande()) sauvetage();\n", "",
     "signaux", "no rescue copy"),
    ("game/menu_choix.cpp", "    if (sys::arretDemande()) s.continuer = 0;  // from any screen, the logo too\n", "",
     "signaux", "the menu and the logo ignore signals"),
    # The player's folder.
    ("common/dossier_joueur.cpp", "if (xdg && xdg[0] == '/') return", "if (xdg && *xdg) return",
     "joueur", "a relative XDG_DATA_HOME taken"),
    ("common/dossier_joueur.cpp", "if (offertes.count(nom) || stat(", "if (stat(",
     "joueur", "a deleted free map copied back"),
    ("common/dossier_joueur.cpp", "if (nom[0] == '.' || nom == \"joueur\") continue;", "if (nom[0] == '.') continue;",
     "joueur", "data/joueur linked into the installation"),
    ("common/dossier_joueur.cpp", "\"/data/joueur/niveau.txt\", \"1\", programme", "\"/data/joueur/niveau.txt\", \"0\", programme",
     "joueur", "a first progress of 0"),
    ("common/dossier_joueur.cpp", "    } else {\n        if (fs::read_symlink(lien, ec).string() == cible) return true;",
     "    } else {\n        return true;", "joueur", "links do not follow a moved installation"),
]


def git_fichiers(racine):
    sortie = subprocess.run(["git", "ls-files", "-z"], cwd=racine, check=True, capture_output=True).stdout
    return [f for f in sortie.decode().split("\0") if f]


def copier(racine, source):
    """The tracked files of `racine` into `source`, each written only when it differs."""
    fichiers = git_fichiers(racine)
    garder = set(fichiers)
    for f in fichiers:
        a, b = os.path.join(racine, f), os.path.join(source, f)
        if not os.path.isfile(a):
            continue
        with open(a, "rb") as x:
            contenu = x.read()
        if os.path.isfile(b):
            with open(b, "rb") as y:
                if y.read() == contenu:
                    continue
        os.makedirs(os.path.dirname(b) or ".", exist_ok=True)
        shutil.copy(a, b)  # a fresh time, so that the build sees the change
    # Files no longer tracked (tests are found by globbing) go.
    for dossier, _, noms in os.walk(source):
        for n in noms:
            rel = os.path.relpath(os.path.join(dossier, n), source)
            if rel not in garder:
                os.remove(os.path.join(dossier, n))


def lancer(commande, journal, cwd=None):
    with open(journal, "a") as j:
        j.write("$ " + " ".join(commande) + "\n")
        j.flush()
        return subprocess.run(commande, cwd=cwd, stdout=j, stderr=subprocess.STDOUT).returncode


def construire(args, journal):
    return lancer(["cmake", "--build", args.build, "-j", str(args.jobs)], journal) == 0


def suite(args, journal):
    """True when the whole suite passes: unit tests first, then those that draw."""
    ctest = "ctest --stop-on-failure --timeout 300 -j {}".format(args.jobs)
    if args.tests:
        script = "{} -R '{}'".format(ctest, args.tests)
    else:
        script = "{0} -L unit && {0} -L gl".format(ctest)
    commande = ["xvfb-run", "-n", str(args.display), "-s", "-screen 0 1280x1024x24 -noreset", "sh", "-c", script]
    return lancer(commande, journal, cwd=args.build) == 0


def appliquer(source, m):
    """The file's text with the fault, or None when its text is not there once."""
    chemin = os.path.join(source, m[0])
    if not os.path.isfile(chemin):
        return None, None
    with open(chemin, encoding="latin-1") as f:
        texte = f.read()
    if texte.count(m[1]) != 1:
        return texte, None
    return texte, texte.replace(m[1], m[2])


def ecrire(chemin, texte):
    with open(chemin, "w", encoding="latin-1") as f:
        f.write(texte)
    os.utime(chemin)  # always newer than the build


def choisis(args):
    if not args.choix:
        return list(enumerate(MUTANTS, 1))
    r = []
    for n, m in enumerate(MUTANTS, 1):
        if str(n) in args.choix or m[3] in args.choix:
            r.append((n, m))
    return r


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("choix", nargs="*", help="areas or numbers of the faults to plant (default: all)")
    p.add_argument("--list", action="store_true", help="print the table and whether each fault applies")
    p.add_argument("--scratch", default=os.environ.get("VORNA_MUTANTS", "/tmp/vorna-mutants"))
    p.add_argument("--display", type=int, default=100)
    p.add_argument("--jobs", type=int, default=2)
    p.add_argument("--log", default=None, help="results, one line per fault, as they come")
    p.add_argument("--tests", default=None, help="only the tests matching this regular expression")
    p.add_argument("--no-clean-run", action="store_true",
                   help="skip the run of the suite without any fault (when a previous run of the same tree made it)")
    args = p.parse_args()
    # Stopped from outside, the file under a fault is still put back (the `finally` below).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    racine = subprocess.run(["git", "rev-parse", "--show-toplevel"], check=True, capture_output=True,
                            cwd=os.path.dirname(os.path.abspath(__file__))).stdout.decode().strip()
    choisis_ = choisis(args)

    if args.list:
        for n, m in choisis_:
            _, mute = appliquer(racine, m)
            print("{:3d} {:12s} {:28s} {}{}".format(n, m[3], m[0], m[4], "" if mute else "  [does not apply]"))
        return 0

    source = os.path.join(args.scratch, "source")
    args.build = os.path.join(args.scratch, "build")
    journal = os.path.join(args.scratch, "journal.txt")
    os.makedirs(source, exist_ok=True)
    open(journal, "w").close()
    print("copying the tracked files to", source, flush=True)
    copier(racine, source)
    if lancer(["cmake", "-S", source, "-B", args.build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
               "-DVORNA_BENCH=OFF"], journal) != 0 or not construire(args, journal):
        print("the scratch copy does not build; see", journal)
        return 2
    print("the suite without any fault...", flush=True)
    if not args.no_clean_run and not suite(args, journal):
        print("the suite fails without any fault; see", journal)
        return 2

    resultats = []  # (n, mutant, outcome)
    log = open(args.log, "a") if args.log else None
    debut = time.time()
    for n, m in choisis_:
        chemin = os.path.join(source, m[0])
        original, mute = appliquer(source, m)
        t = time.time()
        if mute is None:
            issue = "gone"
        else:
            ecrire(chemin, mute)
            try:
                if not construire(args, journal):
                    issue = "no build"
                else:
                    issue = "survived" if suite(args, journal) else "caught"
            finally:
                ecrire(chemin, original)
        resultats.append((n, m, issue))
        ligne = "{:3d} {:12s} {:9s} {:4.0f} s  {}: {}".format(n, m[3], issue, time.time() - t, m[0], m[4])
        print(ligne, flush=True)
        if log:
            log.write(ligne + "\n")
            log.flush()
    construire(args, journal)  # back to the tree as it is

    print("\nper area (caught / planted):")
    zones = []
    for _, m, _ in resultats:
        if m[3] not in zones:
            zones.append(m[3])
    for z in zones:
        r = [i for _, m, i in resultats if m[3] == z]
        print("  {:12s} {:3d} / {:d}".format(z, r.count("caught"), len(r)))
    for titre, issue in (("survivors", "survived"), ("no longer apply", "gone"), ("do not build", "no build")):
        l = [(n, m) for n, m, i in resultats if i == issue]
        if l:
            print("\n" + titre + ":")
            for n, m in l:
                print("  {:3d} {:12s} {}: {}".format(n, m[3], m[0], m[4]))
    pris = sum(1 for *_, i in resultats if i == "caught")
    print("\ncaught {} of {} faults planted ({:.0f} min)".format(pris, len(resultats), (time.time() - debut) / 60))
    return 0


if __name__ == "__main__":
    sys.exit(main())
