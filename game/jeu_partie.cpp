// One run of one level: set-up, the frame loop, the menus of the run, the
// ghost recording, the progress update and the release of what the run loaded.

#include <GL/gl.h>
#include <GL/glu.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "fichiers.h"
#include "fondu.h"
#include "fsound.h"
#include "jeu.h"
#include "navigateur.h"
#include "niveau.h"
#include "scene.h"
#include "score.h"
#include "skybox.h"
#include "systeme.h"
#include "texte.h"
#include "textes_partie.h"

namespace {

const char* const kFantomeTravail = "ghost/ghost.qzg";

struct NiveauScenario {
    const char* titre;
    int points;
    const char* lieu;
};

const NiveauScenario kScenarios[14] = {
    {"1.Camp d'entrainement", 1400, "normal"}, {"2.Promenade", 2450, "normal"},
    {"3.Flux", 2100, "normal"},                {"4.Citadelle", 2300, "normal"},
    {"5.Alpha City", 3600, "normal"},          {"6.Crossfire", 3000, "normal"},
    {"7.Speed's Bridge", 2900, "normal"},      {"8.Dedale", 2900, "normal"},
    {"9.Theta City", 3500, "normal"},          {"10.Pyramid", 4000, "normal"},
    {"11.Delta City", 6000, "normal"},         {"12.Mountain", 5600, "montagne"},
    {"13.Peak", 5600, "montagne"},             {"14.Cage", 4000, "normal"},
};

std::string format(const char* f, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* f, ...) {
    char buf[256];
    va_list a;
    va_start(a, f);
    std::vsnprintf(buf, sizeof buf, f, a);
    va_end(a);
    return buf;
}

const GLubyte kSelection[3] = {221, 137, 107};

}  // namespace

// The run state and the steps of a run. One object per call of Jeu::jouer().
class Partie {
public:
    explicit Partie(Jeu& jeu) : m(jeu) {}
    ~Partie();
    void jouer();

private:
    bool preparer();
    void frame();
    void evenements();
    void deplacements();
    void chuteDebut();
    void camera();
    void finDeNiveau();
    void dessiner();
    void textes();
    void minuteries();
    void quitter();

    void appuiEntree();
    void relacheEntree();
    void basculerPause();
    void recommencerFinDeNiveau();
    void recommencerPause();
    void recommencerPerdu();
    void recommencerCommun();
    void majProgression();
    void instantane();
    void imprimer(const std::string& texte, int pos, double posy);

    // Ghost recording.
    void fantomeDebut();
    void fantomeEchantillon();
    void fantomeRecommencer();
    void fantomeFin();
    std::string nomFantome(int numero) const;

    Heros& balle() { return joueur[0]; }

    Jeu& m;

    std::vector<Cube> tableaucube;
    std::vector<Bonus> tableaubonus;
    std::vector<Sphere> tableausphere;
    std::vector<Heros> joueur;

    int continuer = 2;
    int niveau = 1;
    bool finpartie = false;
    bool ecrireEnvoyer = false;
    int choixSend = 0;
    int choixMenu = 0;
    bool direction[4] = {false, false, false, false};  // up, down, right, left
    double vitessespeed = 0.02;
    int points_depart = 2000;
    int points = 0;
    int score = 0;
    double x_tombe = 0, y_tombe = 0, z_tombe = 0;
    double x_win = 0, y_win = 0, z_win = 0;
    double z_begin_tombe = 0;
    Fondu mort{255, 255, 255};
    bool renameghost = false;
    std::string nomAffiche;
    std::string cheminNiveau;

    std::string textePoints, texteTemps, texteVies;

    Uint32 tempsActuel3 = 0, tempsPrecedent3 = 0;  // chrono
    Uint32 tempsActuel4 = 0, tempsPrecedent4 = 0;  // fall
    Uint32 tempsActuel5 = 0, tempsPrecedent5 = 0;  // checkpoint message
    Uint32 tempsActuel6 = 0, tempsPrecedent6 = 0;  // start phase
    Uint32 tempsActuel7 = 0, tempsPrecedent7 = 0;  // roll sound

    unsigned int textureFont = 0;
    FSOUND_STREAM* musique = nullptr;
    std::unique_ptr<Skybox> skybox;
    bool donneesChargees = false;

    FILE* fghost = nullptr;
    std::string ghost;  // final name of this run's ghost; empty until a recording starts
    int numeroFantome = 0;
    int frames = 0;
};

Partie::~Partie() {
    if (fghost) std::fclose(fghost);
    FSOUND_Stream_Stop(musique);
    FSOUND_Stream_Close(musique);
    if (donneesChargees) {
        m.m_son.deleteSon();
        m.m_texture.deleteTexture();
    }
    if (textureFont) glDeleteTextures(1, &textureFont);
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

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(70, static_cast<double>(m.m_hauteur) / m.m_largeur, 1, 1000);
    glEnable(GL_DEPTH_TEST);

    if (m.m_scenario) {
        cheminNiveau = cheminScenario(m.m_mapScenario);
        if (m.m_mapScenario >= 1 && m.m_mapScenario <= 14) {
            const NiveauScenario& n = kScenarios[m.m_mapScenario - 1];
            nomAffiche = n.titre;
            points_depart = n.points;
            m.m_typeLieu = n.lieu;
        } else {
            nomAffiche = format("Niveau-%d", static_cast<int>(m.m_mapScenario));
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
        return false;
    }
    joueur.push_back(balleDuNiveau(contenu));
    tableaucube = std::move(contenu.cubes);
    tableaubonus = std::move(contenu.bonus);
    tableausphere = std::move(contenu.spheres);

    FSOUND_Stream_SetLoopCount(musique, -1);
    FSOUND_Stream_Play(1, musique);

    m.m_x_depart = m.m_x_save = balle().getX();
    m.m_y_depart = m.m_y_save = balle().getY();
    m.m_z_depart = m.m_z_save = balle().getZ();

    z_begin_tombe = hauteurDeChute(tableaucube);
    eclairage();

    if (m.m_fantome) fantomeDebut();

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
        textePoints = format("%d", points);
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
    textes();

    instantane();
    glFlush();
    sys::swapBuffers();
    ++frames;

    minuteries();
    sys::delay(30);
}

void Partie::evenements() {
    SDL_Event e;
    while (sys::pollEvent(&e)) {
        if (e.type == SDL_QUIT) {
            continuer = 0;
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
                case SDLK_RETURN: appuiEntree(); break;
                default: break;
            }
        } else if (e.type == SDL_KEYUP) {
            switch (e.key.keysym.sym) {
                case SDLK_UP: direction[0] = false; break;
                case SDLK_DOWN: direction[1] = false; break;
                case SDLK_RIGHT: direction[2] = false; break;
                case SDLK_LEFT: direction[3] = false; break;
                case SDLK_RETURN: relacheEntree(); break;
                case SDLK_ESCAPE:
                case SDLK_KP0:
                    if (!ecrireEnvoyer) basculerPause();
                    break;
                default: break;
            }
        }
    }
}

void Partie::appuiEntree() {
    Heros& b = balle();
    if (b.getWin()) {
        m.m_son.jouerPreSon("bouton", -1);
        switch (choixSend) {
            case 0:  // "Niveau suivant"
                b.setSX(0); b.setSY(0); b.setSZ(0);
                sys::keyRepeat(10, 10);
                finpartie = true;
                ecrireEnvoyer = false;
                niveau = 99;
                m.m_suivant = true;
                break;
            case 1:  // "Recommencer"
                recommencerFinDeNiveau();
                break;
            case 2:  // "Envoyer son score en ligne"
                if (m.m_scenario) m.sendScoreOnline(score);
                break;
            case 3:  // "Enregistrer le fantome"
                renameghost = true;
                break;
            case 4:  // "Menu principal"
                if (ecrireEnvoyer) {
                    b.setSX(0); b.setSY(0); b.setSZ(0);
                    sys::keyRepeat(10, 10);
                    finpartie = true;
                    ecrireEnvoyer = false;
                    niveau = 99;
                }
                break;
        }
    } else if (m.m_loose) {
        recommencerPerdu();
    }
}

void Partie::relacheEntree() {
    if (!m.m_pause) return;
    Heros& b = balle();
    switch (choixMenu) {
        case 0:  // "Retour au jeu"
            m.m_son.jouerPreSon("bouton", -1);
            m.m_pause = false;
            m.m_menu = false;
            b.setPause(false);
            sys::keyRepeat(10, 10);
            break;
        case 1:  // "Recommencer le niveau"
            recommencerPause();
            break;
        case 2:  // "Quitter"
            m.m_son.jouerPreSon("bouton", -1);
            b.setPause(false);
            sys::keyRepeat(10, 10);
            continuer = 0;
            m.resetDonnees();
            break;
    }
}

void Partie::basculerPause() {
    Heros& b = balle();
    if (!m.m_pause) {
        m.m_pause = true;
        m.m_menu = true;
        b.setPause(true);
        sys::keyRepeat(400, 200);
        choixMenu = 0;
    } else {
        m.m_pause = false;
        m.m_menu = false;
        b.setPause(false);
        sys::keyRepeat(10, 10);
    }
}

// What every restart shares once the ball is back at the start.
void Partie::recommencerCommun() {
    m.m_x_save = m.m_x_depart;
    m.m_y_save = m.m_y_depart;
    m.m_z_save = m.m_z_depart;
    tempsActuel3 = tempsPrecedent3 = sys::ticks();
    m.resetDonnees();
}

void Partie::recommencerFinDeNiveau() {
    Heros& b = balle();
    b.setSX(0); b.setSY(0); b.setSZ(0);
    b.setX(m.m_x_depart);
    b.setY(m.m_y_depart);
    b.setZ(m.m_z_depart);
    b.setPause(false);
    sys::keyRepeat(10, 10);
    recommencerCommun();
    points = points_depart;
    if (m.m_fantome) fantomeRecommencer();
    b.win(false);
    ecrireEnvoyer = false;
    finpartie = false;
    FSOUND_SetPaused(1, 0);
}

void Partie::recommencerPause() {
    Heros& b = balle();
    b.setSX(0); b.setSY(0); b.setSZ(0);
    m.m_son.jouerPreSon("bouton", -1);
    // The ball is unfrozen before it is moved, or the move would be refused.
    b.setPause(false);
    sys::keyRepeat(10, 10);
    b.deplacer(m.m_x_depart - b.getX(), m.m_y_depart - b.getY(), m.m_z_depart - b.getZ());
    recommencerCommun();
    points = points_depart;
    if (m.m_fantome) fantomeRecommencer();
    FSOUND_SetPaused(FSOUND_ALL, 0);
}

void Partie::recommencerPerdu() {
    Heros& b = balle();
    m.m_son.jouerPreSon("bouton", -1);
    b.setPause(false);
    sys::keyRepeat(10, 10);
    b.setSX(0); b.setSY(0); b.setSZ(0);
    b.deplacer(m.m_x_depart - b.getX(), m.m_y_depart - b.getY(), m.m_z_depart - b.getZ());
    b.perdrePV(-5);
    recommencerCommun();
}

void Partie::deplacements() {
    Heros& b = balle();
    if (!m.m_pause && !m.m_debut) {
        if (direction[0] && m.collisionDetect(1, 0, 0, &b, tableaucube) && b.getSX() > -b.getSM())
            b.accelerer(-vitessespeed, 0, 0);
        if (direction[1] && m.collisionDetect(1, 0, 0, &b, tableaucube) && b.getSX() < b.getSM())
            b.accelerer(vitessespeed, 0, 0);
        if (direction[2] && m.collisionDetect(0, 1, 0, &b, tableaucube) && b.getSY() < b.getSM())
            b.accelerer(0, vitessespeed, 0);
        if (direction[3] && m.collisionDetect(0, 1, 0, &b, tableaucube) && b.getSY() > -b.getSM())
            b.accelerer(0, -vitessespeed, 0);

        if (!m.collisionDetect(1, 0, 0, &b, tableaucube)) {
            b.setSX(b.getSX() / -2);
            m.m_son.jouerPreSon("bois", b.getSX() * 1000);
        }
        b.deplacer(b.getSX(), 0, 0);

        if (!m.collisionDetect(0, 1, 0, &b, tableaucube)) {
            b.setSY(b.getSY() / -2);
            m.m_son.jouerPreSon("bois", b.getSY() * 1000);
        }
        b.deplacer(0, b.getSY(), 0);
    }
    m.collisionDetect(0, 0, 1, &b, tableaucube);
    b.deplacer(0, 0, b.getSZ());
}

void Partie::chuteDebut() {
    Heros& b = balle();
    if (!b.getTombe() && b.getZ() < z_begin_tombe && !m.m_pause) {
        x_tombe = b.getX();
        y_tombe = b.getY();
        z_tombe = b.getZ();
        m.m_son.jouerPreSon("limite", -1);
        b.tombe(true);
    } else if (b.getTombe2() && !b.getTombe() && !m.m_pause) {
        x_tombe = b.getX();
        y_tombe = b.getY();
        z_tombe = b.getZ();
        b.tombe(true);
        b.tombe2(false);
    }
}

void Partie::camera() {
    Heros& b = balle();
    double rx = b.getX(), ry = b.getY(), rz = b.getZ();
    if (b.getWin()) {
        if (x_win == 0) {
            x_win = b.getX();
            y_win = b.getY();
            z_win = b.getZ();
        } else if (x_win - b.getX() < 30) {
            x_win += 0.01;
            z_win += 0.01;
        }
        rx = x_win; ry = y_win; rz = z_win;
    } else if (b.getTombe()) {
        rx = x_tombe; ry = y_tombe; rz = z_tombe;
    }
    gluLookAt(rx + 10, ry, rz + 12, b.getX(), b.getY(), b.getZ(), 0, 0, 1);
}

void Partie::finDeNiveau() {
    if (!finpartie) {
        FSOUND_SetPaused(1, 1);
        sys::keyRepeat(400, 200);
        ecrireEnvoyer = true;
        return;
    }
    mort.setF(true);
    if (mort.getR() > 4) {
        mort.fR(-5);
        mort.fG(-5);
        mort.fB(-5);
    } else {
        majProgression();
        continuer = 0;
        balle().win(false);
    }
}

void Partie::majProgression() {
    if (m.m_mapScenario == m.m_niveauMax && m.m_mapScenario < m.m_mapsMax) {
        m.m_niveauMax += 1;
        ecrireFichierAtomique(kFichierProgression, std::to_string(m.m_niveauMax));
    }
}

void Partie::dessiner() {
    Heros& b = balle();
    for (Cube& c : tableaucube) c.dessiner();
    for (Bonus& bo : tableaubonus) bo.dessiner();
    for (Sphere& s : tableausphere) s.dessiner();
    b.dessiner();

    glDisable(GL_FOG);
    if (!finpartie && !b.getTombe()) {
        glDisable(GL_LIGHTING);
        glColor3ub(255, 255, 255);
    }
    const double cx = b.getTombe() ? x_tombe : b.getX();
    const double cy = b.getTombe() ? y_tombe : b.getY();
    const double cz = b.getTombe() ? z_tombe : b.getZ();
    glTranslated(cx, cy, cz - 50);
    skybox->dessiner();
    glTranslated(-cx, -cy, -(cz - 50));
    glEnable(GL_LIGHTING);
    if (!mort.getF()) glEnable(GL_FOG);
}

void Partie::imprimer(const std::string& texte, int pos, double posy) {
    Texte::mervoprint(texte.c_str(), textureFont, pos, 0, posy, m.m_hauteur, m.m_largeur);
}

void Partie::textes() {
    static const char* const kItemsFin[5] = {"Niveau suivant", "Recommencer",
                                             "Envoyer son score en ligne",
                                             "Enregistrer le fantome", "Menu principal"};
    static const char* const kItemsPause[3] = {"Retour au jeu", "Recommencer le niveau", "Quitter"};

    // The texts take their colours as they are: no light on them.
    glDisable(GL_LIGHTING);

    if (ecrireEnvoyer) {
        imprimer(texteFinNiveau(points, static_cast<int>(tempsActuel3 - tempsPrecedent3)), -1, 0.2);
        for (int i = 0; i < 5; ++i) {
            if (choixSend == i) glColor3ubv(kSelection);
            imprimer(kItemsFin[i], -1, 0.1 - 0.1 * i);
            glColor3ub(255, 255, 255);
        }
    } else {
        imprimer(textePoints, 0, 0);
        imprimer(texteTemps, 3, 0);
        imprimer(nomAffiche, 1, 0);
        imprimer(texteVies, 2, 0);
    }

    if (m.m_menu) {
        for (int i = 0; i < 3; ++i) {
            if (choixMenu == i) glColor3ubv(kSelection);
            imprimer(kItemsPause[i], -1, -0.1 * i);
            glColor3ub(255, 255, 255);
        }
    } else if (m.m_loose) {
        imprimer("Perdu !", -1, -0.05);
    } else if (m.m_checkpoint) {
        imprimer("Checkpoint reached.", -1, -0.05);
    }
    glEnable(GL_LIGHTING);
}

void Partie::minuteries() {
    Heros& b = balle();
    const Uint32 maintenant = sys::ticks();

    tempsActuel6 = maintenant;
    if (m.m_debut && !b.getWin() && tempsActuel6 - tempsPrecedent6 >= 1) {
        m.m_debut = false;
        m.m_pause = false;
        b.setPause(false);
        tempsActuel3 = tempsPrecedent3 = maintenant;
        points = points_depart;
    }

    tempsActuel7 = maintenant;
    if (m.m_roll) {
        if (tempsActuel7 - tempsPrecedent7 > 1800) {
            m.m_son.jouerPreSon("roll", b.getSX() * 1000);
            tempsPrecedent7 = tempsActuel7;
        }
        m.m_son.setVolume("roll", b.getSX() * 1000);
        m.m_roll = false;
    } else {
        m.m_son.setVolume("roll", 0);
    }

    tempsActuel5 = maintenant;
    if (!m.m_checkpoint)
        tempsPrecedent5 = tempsActuel5;
    else if (tempsActuel5 - tempsPrecedent5 > 2000)
        m.m_checkpoint = false;

    if (m.m_pause) tempsPrecedent3 += maintenant - tempsActuel3;
    if (!ecrireEnvoyer) tempsActuel3 = maintenant;

    if (!ecrireEnvoyer && !m.m_pause && !b.getWin()) points -= 1;

    tempsActuel4 = maintenant;
    if (!b.getTombe() && !b.getTombe2()) tempsPrecedent4 = tempsActuel4;
    if (tempsActuel4 - tempsPrecedent4 > 1500 && !m.m_pause) {
        b.tombe(false);
        b.tombe2(false);
        b.deplacer(m.m_x_save - b.getX(), m.m_y_save - b.getY(), m.m_z_save - b.getZ());
        b.setSX(0);
        b.setSY(0);
        b.setSZ(0);
        if (tempsActuel3 - tempsPrecedent3 > 1000) b.perdrePV(1);
        if (b.getVie() <= 0) {
            m.m_pause = true;
            b.setPause(true);
            m.m_loose = true;
        }
    }
}

void Partie::quitter() {
    fantomeFin();
    FSOUND_Stream_Stop(musique);
    FSOUND_Stream_Close(musique);
    musique = nullptr;
    tableaucube.clear();
    tableaubonus.clear();
    tableausphere.clear();
    joueur.clear();
    m.m_son.deleteSon();
    m.m_texture.deleteTexture();
    donneesChargees = false;
}

// Ghost recording ---------------------------------------------------------

std::string Partie::nomFantome(int numero) const {
    return m.m_scenario
               ? format("ghost/map%dghost%d.qzg", static_cast<int>(m.m_mapScenario), numero)
               : "ghost/" + m.m_mapALoad + "ghost" + std::to_string(numero) + ".qzg";
}

void Partie::fantomeDebut() {
    numeroFantome = m.m_nbre_game + m.m_nombre_ghost + 1;
    ghost = nomFantome(numeroFantome);
    fghost = std::fopen(kFantomeTravail, "w");
    if (!fghost) {
        std::fprintf(stderr, "vorna: cannot record the ghost (%s): playing without recording\n",
                     kFantomeTravail);
        ghost.clear();
        return;
    }
    std::fprintf(fghost, "@%s\n", cheminNiveau.c_str());
}

void Partie::fantomeEchantillon() {
    if (!fghost || niveau > 98 || !m.m_fantome || m.m_pause) return;
    Heros& b = balle();
    std::fprintf(fghost, "@%f,%f,%f\n", b.getX(), b.getY(), b.getZ());
}

void Partie::fantomeRecommencer() {
    const bool actif = m.m_scenario ? niveau <= 98 : niveau == 1;
    if (!actif) return;
    if (fghost) std::fclose(fghost);
    fghost = nullptr;
    fantomeDebut();
}

void Partie::fantomeFin() {
    if (fghost) std::fclose(fghost);
    fghost = nullptr;
    if (!renameghost) {
        std::remove(kFantomeTravail);
        return;
    }
    m.m_nbre_game += 1;
    if (ghost.empty()) return;
    // An existing ghost is never replaced: the new one takes the next free
    // number (a player may have deleted ghosts, so numbers can meet).
    for (int n = numeroFantome; n < numeroFantome + 10000; ++n) {
        if (renommerSansRemplacer(kFantomeTravail, nomFantome(n))) return;
        if (errno != EEXIST) break;
    }
    std::fprintf(stderr, "vorna: cannot keep the ghost %s: it stays in %s until the next run\n",
                 ghost.c_str(), kFantomeTravail);
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
    } else {
        i.texteFin.clear();
    }
}

void Jeu::sendScoreOnline(int score) {
    const std::string url = urlScore(score, m_mapScenario);
    ouvrirUrl(url);
    std::printf("url:%s\n", url.c_str());
    std::fflush(stdout);
}
