// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_DOSSIER_H
#define VORNA_TEST_DOSSIER_H

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A fresh scratch folder that becomes the working directory for the life of
// the object (the game reads everything relative to it) and is removed after.
class DossierTemporaire {
public:
    DossierTemporaire();
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    const std::string& chemin() const { return m_chemin; }
    // Creates data/, data/sound/, data/sky/, data/joueur/, maps/niveau/,
    // maps/menu/ and ghost/.
    void arborescenceJeu();

private:
    std::string m_chemin;
    std::string m_avant;
};

// Small file helpers; paths are relative to the working directory and parent
// folders are created.
void creerDossiers(const std::string& chemin);
void ecrireFichier(const std::string& chemin, const std::string& contenu);
std::string lireFichier(const std::string& chemin);
// The lines of a text, without their line ends.
std::vector<std::string> lignes(const std::string& texte);
bool existe(const std::string& chemin);
// What `f` writes on standard error while it runs.
std::string sortieErreur(const std::function<void()>& f);
// Every entry under `dossier` by its relative path, links not followed: "/"
// for a folder, "-> target" for a link, and for a file its content, inode
// and modification time, so that any change to it shows.
std::map<std::string, std::string> releve(const std::string& dossier);

// Paths in `dossier` (created) that no reader may read, each a way a damaged
// or hostile game folder can trap a program: a FIFO (opening it waits for a
// writer), links to /dev/zero and /dev/urandom (endless), a folder, and a
// sparse file just over 64 MB; their names ("fifo", "zero", "urandom",
// "dossier", "enorme") end with `extension`.
std::vector<std::string> creerFichiersHostiles(const std::string& dossier,
                                               const std::string& extension = "");

// An RGB(A) image, rows from the top, written with stb_image_write.
struct Image {
    int largeur = 0, hauteur = 0, canaux = 3;
    std::vector<uint8_t> pixels;
    Image(int l, int h, int c);
    void mettre(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
    void remplir(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
};
void ecrireJpeg(const std::string& chemin, const Image& image, int qualite = 100);
void ecrireTga(const std::string& chemin, const Image& image);
// A short 16-bit mono WAV tone.
void ecrireWav(const std::string& chemin, int millisecondes = 100, int frequence = 22050);

#endif
