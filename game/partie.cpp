// SPDX-License-Identifier: GPL-3.0-or-later
// One run of one level: its set-up, the frame in its fixed order of steps,
// the events, and the release of everything the run loaded.

#include "partie.h"

#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "annonce.h"
#include "cadre.h"
#include "niveau.h"
#include "scenarios.h"
#include "scene.h"
#include "systeme.h"
#include "texte.h"
#include "textes_partie.h"

Partie::~Partie() {
    if (fghost) std::fclose(fghost);
    FSOUND_Stream_Stop(musique);
    FSOUND_Stream_Close(musique);
    if (donneesChargees) {
        m.m_son.deleteSon();
        m.m_texture.deleteTexture();
    }
    libererTexture(textureFont);
}

void Jeu::jouer() {
    Partie partie(*this);
    partie.jouer();
}

void Partie::jouer() {
    if (!preparer()) return;
    while (continuer == 2) frame();
    quitter();
}

bool Partie::preparer() {
    m.m_suivant = false;
    textureFont = loadTexture("data/font1.TGA", true);
    m.resetDonnees();

    musique = FSOUND_Stream_Open("data/sound/ig.mp3", FSOUND_LOOP_NORMAL, 0, 0);

    perspectiveScene();  // the window's aspect, 70° vertically
    glEnable(GL_DEPTH_TEST);

    if (m.m_scenario) {
        cheminNiveau = cheminScenario(m.m_mapScenario);
        if (const NiveauScenario* n = niveauScenario(m.m_mapScenario)) {
            nomAffiche = tr(n->titre);
            points_depart = n->points;
            m.m_typeLieu = n->lieu;
        } else {
            nomAffiche = formater(tr("Niveau-%u"), m.m_mapScenario);
        }
    } else {
        cheminNiveau = cheminMapPerso(m.m_mapALoad);
        nomAffiche = m.m_mapALoad;
    }

    m.loadDonnees();
    donneesChargees = true;

    const bool montagne = m.m_typeLieu == "montagne";
    if (montagne)
        brouillard(0.53f, 0.65f, 0.87f);
    else
        brouillard(0.41f, 0.37f, 0.21f);

    skybox = std::make_unique<Skybox>(montagne ? "data/sky/sky2.jpg" : "data/sky/sky.jpg");

    ContenuNiveau contenu;
    if (!chargerNiveau(cheminNiveau, reglesPartie(m.m_texture), contenu)) {
        std::fprintf(stderr, "vorna: cannot play %s: the level file is missing, unreadable or empty\n",
                     cheminNiveau.c_str());
        annoncer(formater(tr("Niveau illisible : %s"), nomDeFichier(cheminNiveau).c_str()));
        return false;
    }
    joueur.push_back(balleDuNiveau(contenu));
    tableaucube = std::move(contenu.cubes);
    tableaubonus = std::move(contenu.bonus);
    tableausphere = std::move(contenu.spheres);
    lot = LotBlocs(tableaucube);

    FSOUND_Stream_SetLoopCount(musique, -1);
    FSOUND_Stream_Play(1, musique);

    m.m_x_depart = m.m_x_save = balle().getX();
    m.m_y_depart = m.m_y_save = balle().getY();
    m.m_z_depart = m.m_z_save = balle().getZ();

    z_begin_tombe = hauteurDeChute(tableaucube);
    eclairage();

    if (m.m_fantome) fantomeDebut();
    courseCharger();

    texteVies = ::texteVies(balle().getVie());
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    points = points_depart;
    tempsPrecedent6 = sys::ticks();
    sys::keyRepeat(10, 10);
    sys::showCursor(false);
    return true;
}

void Partie::frame() {
    Heros& b = balle();

    if (!b.getWin()) {
        texteTemps = texteChrono(static_cast<int>(tempsActuel3 - tempsPrecedent3));
        textePoints = formater("%d", points);
        score = points;
    }

    evenements();
    deplacements();
    b.verifSpeed();
    chuteDebut();

    for (Bonus& bonus : tableaubonus) m.verifieBonus(&b, &bonus);

    texteVies = ::texteVies(b.getVie());

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera();

    mort.appliquer();
    if (b.getTombe() && !m.m_pause) {
        mort.setF(true);
        if (mort.getR() > 4) mort.fR(-5);
        if (mort.getG() > 4) mort.fG(-5);
        if (mort.getB() > 4) mort.fB(-5);
    }

    if (b.getWin())
        finDeNiveau();
    else
        fantomeEchantillon();

    if (!b.getWin() && !b.getTombe()) {
        mort.setF(false);
        mort.setRGB(178, 178, 178);
    }

    dessiner();

    // The texts take their colours as they are: no light on them.
    glDisable(GL_LIGHTING);
    if (ecrireEnvoyer)
        textesFin();
    else
        textesJeu();
    if (m.m_menu)
        textesPause();
    else if (m.m_loose)
        imprimer(tr("Perdu !"), -1, -0.05);
    else if (m.m_checkpoint)
        imprimer(tr("Checkpoint reached."), -1, -0.05);
    glEnable(GL_LIGHTING);

    instantane();
    glFlush();
    sys::swapBuffers();
    ++frames;

    minuteries();
    sys::delay(30);
}

void Partie::evenements() {
    if (sys::arretDemande()) continuer = 0;  // the program is ending
    SDL_Event e;
    while (sys::pollEvent(&e)) {
        if (e.type == SDL_QUIT) {
            continuer = 0;
        } else if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
            // A pad unplugged (its keys already released): the run waits in
            // the pause menu, where Escape would have put it.
            if (!ecrireEnvoyer && !m.m_loose && !m.m_pause) basculerPause();
        } else if (e.type == SDL_KEYDOWN) {
            switch (e.key.keysym.sym) {
                case SDLK_UP:
                    if (ecrireEnvoyer) {
                        m.m_son.jouerPreSon("cursor", -1);
                        choixSend = choixSend == 0 ? 4 : choixSend - 1;
                    } else if (m.m_menu) {
                        m.m_son.jouerPreSon("cursor", -1);
                        choixMenu = choixMenu == 0 ? 2 : choixMenu - 1;
                    }
                    direction[0] = true;
                    break;
                case SDLK_DOWN:
                    if (ecrireEnvoyer) {
                        m.m_son.jouerPreSon("cursor", -1);
                        choixSend = choixSend == 4 ? 0 : choixSend + 1;
                    } else if (m.m_menu) {
                        m.m_son.jouerPreSon("cursor", -1);
                        choixMenu = choixMenu == 2 ? 0 : choixMenu + 1;
                    }
                    direction[1] = true;
                    break;
                case SDLK_RIGHT: direction[2] = true; break;
                case SDLK_LEFT: direction[3] = true; break;
                case SDLK_RETURN:
                    if (balle().getWin())
                        appuiEntree();
                    else if (m.m_loose)
                        recommencerPerdu();
                    break;
                default: break;
            }
        } else if (e.type == SDL_KEYUP) {
            switch (e.key.keysym.sym) {
                case SDLK_UP: direction[0] = false; break;
                case SDLK_DOWN: direction[1] = false; break;
                case SDLK_RIGHT: direction[2] = false; break;
                case SDLK_LEFT: direction[3] = false; break;
                case SDLK_RETURN: relacheEntree(); break;
                case SDLK_g: m.m_course = !m.m_course; break;
                case SDLK_ESCAPE:
                case SDLK_KP_0:
                    // Not from the end-of-level menu, nor from game over:
                    // only Return leaves "Perdu !".
                    if (!ecrireEnvoyer && !m.m_loose) basculerPause();
                    break;
                default: break;
            }
        }
    }
}

// What every restart shares once the ball is back at the start.
void Partie::recommencerCommun() {
    m.m_x_save = m.m_x_depart;
    m.m_y_save = m.m_y_depart;
    m.m_z_save = m.m_z_depart;
    tempsActuel3 = tempsPrecedent3 = sys::ticks();
    m.resetDonnees();
    framesCourse = 0;
    if (courseARecharger) courseCharger();
}

void Partie::imprimer(const std::string& texte, int pos, double posy) {
    Texte::mervoprint(texte.c_str(), textureFont, pos, 0, posy, m.m_hauteur, m.m_largeur);
}

void Partie::quitter() {
    fantomeFin();
    FSOUND_Stream_Stop(musique);
    FSOUND_Stream_Close(musique);
    musique = nullptr;
    tableaucube.clear();
    lot.vider();
    tableaubonus.clear();
    tableausphere.clear();
    joueur.clear();
    m.m_son.deleteSon();
    m.m_texture.deleteTexture();
    donneesChargees = false;
}

void Partie::instantane() {
    Heros& b = balle();
    InstantPartie& i = m.m_instant;
    i.frame = frames;
    i.x = b.getX(); i.y = b.getY(); i.z = b.getZ();
    i.sx = b.getSX(); i.sy = b.getSY(); i.sz = b.getSZ();
    i.vie = b.getVie();
    i.maxspeed = b.getMaxSpeed();
    i.win = b.getWin(); i.tombe = b.getTombe(); i.tombe2 = b.getTombe2();
    i.points = points;
    i.score = score;
    i.chrono = static_cast<int>(tempsActuel3 - tempsPrecedent3);
    i.pause = m.m_pause; i.menu = m.m_menu; i.loose = m.m_loose;
    i.checkpoint = m.m_checkpoint; i.debut = m.m_debut;
    i.ecrireEnvoyer = ecrireEnvoyer; i.finpartie = finpartie;
    i.choixMenu = choixMenu; i.choixSend = choixSend;
    i.continuer = continuer; i.niveau = niveau; i.renameghost = renameghost;
    i.mortR = mort.getR(); i.mortG = mort.getG(); i.mortB = mort.getB(); i.mortF = mort.getF();
    i.xSave = m.m_x_save; i.ySave = m.m_y_save; i.zSave = m.m_z_save;
    i.textePoints = textePoints;
    i.texteTemps = texteTemps;
    i.texteVies = texteVies;
    i.nomAffiche = nomAffiche;
    if (ecrireEnvoyer) {
        i.texteFin = texteFinNiveau(points, i.chrono);
        i.message = messageFantome;
        i.record = texteRecord;
        i.messageRecord = messageRecord;
        i.messageProgression = messageProgression;
    } else {
        i.texteFin.clear();
        i.message.clear();
        i.record.clear();
        i.messageRecord.clear();
        i.messageProgression.clear();
    }
    const std::array<float, 3>* c = positionCourse();
    i.course = c != nullptr;
    i.xCourse = c ? (*c)[0] : 0;
    i.yCourse = c ? (*c)[1] : 0;
    i.zCourse = c ? (*c)[2] : 0;
}
