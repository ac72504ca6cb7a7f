// SPDX-License-Identifier: GPL-3.0-or-later
// One run of one level: its set-up, the loop of steps and frames, the
// inputs, the effects of each step, and the release of everything the run
// loaded.

#include "partie.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "annonce.h"
#include "cadence.h"
#include "cadre.h"
#include "niveau.h"
#include "scenarios.h"
#include "scene.h"
#include "systeme.h"
#include "texte.h"
#include "textes_partie.h"
#include "touches.h"

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
    boucle();
    quitter();
}

bool Partie::preparer() {
    m.m_suivant = false;
    textureFont = loadTexture("data/font1.TGA", true);

    musique = FSOUND_Stream_Open("data/sound/ig.mp3", FSOUND_LOOP_NORMAL, 0, 0);

    perspectiveScene();  // the window's aspect, 70° vertically
    glEnable(GL_DEPTH_TEST);

    Simulation::Depart depart;
    depart.scenario = m.m_scenario;
    depart.fantome = m.m_fantome;
    if (m.m_scenario) {
        cheminNiveau = cheminScenario(m.m_mapScenario);
        if (const NiveauScenario* n = niveauScenario(m.m_mapScenario)) {
            nomAffiche = tr(n->titre);
            depart.pointsDepart = n->points;
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
    empreinteNiveau = empreinteFichier(cheminNiveau);
    lot = LotBlocs(contenu.cubes);
    tableausphere = std::move(contenu.spheres);
    sim = std::make_unique<Simulation>(balleDuNiveau(contenu), std::move(contenu.cubes), std::move(contenu.bonus),
                                       depart);

    FSOUND_Stream_SetLoopCount(musique, -1);
    FSOUND_Stream_Play(1, musique);

    eclairage();

    if (m.m_fantome) fantomeDebut();
    courseDemander();
    courseCharger();

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    sys::keyRepeat(10, 10);
    sys::showCursor(false);
    return true;
}

// Steps of 1/30 s as the clock gives them, each with the inputs that came
// by the time it was due, whatever the frame rate; a frame after them, at
// the display's rate.
// While the pause menu stands still the picture is drawn once, then the
// loop waits for the next step or an event instead of drawing it again.
void Partie::boucle() {
    Cadence cadence(sys::ticks(), imagesMax());
    bool redessiner = true;  // the window may have lost its picture
    while (sim->continuer() == 2) {
        lireEntrees();
        const int n = cadence.pasDus(sys::ticks());
        for (long long k = cadence.pasFaits() - n; k < cadence.pasFaits() && sim->continuer() == 2; ++k)
            pas(cadence.echeance(k));
        if (redessiner || !immobile()) {
            image(cadence.alpha(sys::ticks()));
            if (const Uint32 attente = cadence.attente(sys::ticks())) sys::delay(attente);
            redessiner = false;
        } else {
            instantane();
            ++frames;
            // Until the next step, and never before the frame cap's next frame.
            const Uint32 maintenant = sys::ticks();
            const int32_t pas = static_cast<int32_t>(cadence.echeance(cadence.pasFaits()) - maintenant);
            redessiner = sys::attendre(std::max<Uint32>(cadence.attente(maintenant), std::max(0, pas)));
        }
    }
}

// What the picture shows while the pause menu is up, as numbers: the same
// numbers, the same picture.
std::vector<double> Partie::etatVu() const {
    const Simulation& s = *sim;
    const Heros& b = s.balle();
    const std::array<double, 3>& p = s.ballePrecedente();
    const std::array<double, 3>&v = s.vise(), &w = s.visePrecedent();
    std::array<double, 3> c0{}, c1{};
    const bool course = positionCourse(0, c0) && positionCourse(1, c1);
    return {b.getX(), b.getY(), b.getZ(), p[0], p[1], p[2], v[0], v[1], v[2], w[0], w[1], w[2],
            double(s.teinte().getR()), double(s.teinte().getG()), double(s.teinte().getB()),
            double(s.score()), double(s.chronoAffiche()), b.getVie(), double(s.choixMenu()),
            double(s.getCheckpoint()), double(s.getLoose()), double(b.getTombe()), double(course),
            c0[0], c0[1], c0[2], c1[0], c1[1], c1[2]};
}

bool Partie::immobile() const { return sim->getMenu() && sim->getPause() && etatVu() == vueDessinee; }

void Partie::lireEntrees() {
    if (sys::arretDemande()) entrees.push_back({0, {Touche::Quitter, true}});  // the program is ending
    SDL_Event e;
    while (sys::pollEvent(&e)) {
        Touche t;
        if (e.type == SDL_QUIT)
            entrees.push_back({e.common.timestamp, {Touche::Quitter, true}});
        else if (e.type == SDL_CONTROLLERDEVICEREMOVED)
            entrees.push_back({e.common.timestamp, {Touche::Manette, true}});
        else if ((e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) && actionDeTouche(e.key.keysym, t))
            entrees.push_back({e.common.timestamp, {t, e.type == SDL_KEYDOWN}});
    }
}

// One step, with what came by the time it was due.
void Partie::pas(uint32_t echeance) {
    EntreesPas pas;
    while (!entrees.empty() && static_cast<int32_t>(entrees.front().first - echeance) <= 0) {
        pas.push_back(entrees.front().second);
        entrees.pop_front();
    }
    pasCoursePrecedent = sim->pasCourse();
    sim->pas(pas);
    effets(sim->sorties());
}

// What the step did outside its rules, in the order the step did it.
void Partie::effets(const Sorties& s) {
    for (const Sorties::Son& son : s.sons) m.m_son.jouerPreSon(son.nom, son.volume);
    if (s.roll) m.m_son.setVolume("roll", s.volumeRoll);
    if (s.repetition == Sorties::Repetition::Menu) sys::keyRepeat(400, 200);
    if (s.repetition == Sorties::Repetition::Jeu) sys::keyRepeat(10, 10);
    if (s.musique == Sorties::Musique::Pause) FSOUND_SetPaused(1, 1);
    if (s.musique == Sorties::Musique::Reprise) FSOUND_SetPaused(1, 0);
    if (s.musique == Sorties::Musique::RepriseTout) FSOUND_SetPaused(FSOUND_ALL, 0);
    if (s.basculerCourse) m.m_course = !m.m_course;
    if (s.suivant) m.m_suivant = true;
    if (s.recommence && courseARecharger) courseCharger();
    if (s.fantomeRecommence) fantomeRecommencer();
    if (s.fantomeGarde) fantomeVerifier();
    if (s.envoyerScore) envoyerCourse();
    if (s.echantillon) fantomeEchantillon();
    if (s.arrivee) {
        noterCourse();
        noterRecord();
        majProgression();
    }
}

void Partie::image(double alpha) {
    suivreEnvoi();
    courseSuivre();
    const Heros vue = balleVue(alpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera(vue, alpha);
    sim->teinte().appliquer();
    dessiner(vue, alpha);

    // The texts take their colours as they are: no light on them.
    glDisable(GL_LIGHTING);
    if (sim->ecrireEnvoyer())
        textesFin();
    else
        textesJeu();
    if (sim->getMenu())
        textesPause();
    else if (sim->getLoose())
        imprimer(tr("Perdu !"), -1, -0.05);
    else if (sim->getCheckpoint())
        imprimer(tr("Checkpoint reached."), -1, -0.05);
    glEnable(GL_LIGHTING);

    instantane();
    glFlush();
    sys::swapBuffers();
    ++frames;
    vueDessinee = etatVu();
}

void Partie::imprimer(const std::string& texte, int pos, double posy) {
    Texte::mervoprint(texte.c_str(), textureFont, pos, 0, posy, m.m_hauteur, m.m_largeur);
}

void Partie::quitter() {
    fantomeFin();
    FSOUND_Stream_Stop(musique);
    FSOUND_Stream_Close(musique);
    musique = nullptr;
    lot.vider();
    tableausphere.clear();
    m.m_son.deleteSon();
    m.m_texture.deleteTexture();
    donneesChargees = false;
}

void Partie::instantane() {
    const Simulation& s = *sim;
    const Heros& b = s.balle();
    InstantPartie& i = m.m_instant;
    i.frame = frames;
    i.pas = s.numeroPas();
    i.x = b.getX(); i.y = b.getY(); i.z = b.getZ();
    i.sx = b.getSX(); i.sy = b.getSY(); i.sz = b.getSZ();
    i.vie = b.getVie();
    i.maxspeed = b.getMaxSpeed();
    i.win = b.getWin(); i.tombe = b.getTombe(); i.tombe2 = b.getTombe2();
    i.points = s.points();
    i.score = s.score();
    i.chrono = s.chrono();
    i.pause = s.getPause(); i.menu = s.getMenu(); i.loose = s.getLoose();
    i.checkpoint = s.getCheckpoint(); i.debut = s.getDebut();
    i.ecrireEnvoyer = s.ecrireEnvoyer(); i.finpartie = s.finPartie();
    i.choixMenu = s.choixMenu(); i.choixSend = s.choixSend();
    i.continuer = s.continuer(); i.niveau = s.niveau(); i.renameghost = s.renameghost();
    i.mortR = s.mort().getR(); i.mortG = s.mort().getG(); i.mortB = s.mort().getB(); i.mortF = s.mort().getF();
    i.xSave = s.getXSave(); i.ySave = s.getYSave(); i.zSave = s.getZSave();
    i.textePoints = formater("%d", s.score());
    i.texteTemps = texteChrono(s.chronoAffiche());
    i.texteVies = texteVies(b.getVie());
    i.nomAffiche = nomAffiche;
    if (s.ecrireEnvoyer()) {
        i.texteFin = texteFinNiveau(s.points(), i.chrono);
        i.message = messageFantome;
        i.record = texteRecord;
        i.messageRecord = messageRecord;
        i.messageProgression = messageProgression;
        i.messageEnvoi = messageEnvoi;
    } else {
        i.messageEnvoi.clear();
        i.texteFin.clear();
        i.message.clear();
        i.record.clear();
        i.messageRecord.clear();
        i.messageProgression.clear();
    }
    std::array<double, 3> c{};
    i.course = positionCourse(1, c);
    i.xCourse = c[0];
    i.yCourse = c[1];
    i.zCourse = c[2];
}
