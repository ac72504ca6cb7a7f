// SPDX-License-Identifier: GPL-3.0-or-later
#include "palette.h"

#include <GL/gl.h>

#include <cstdio>

#include "texture.h"
#include "traduction.h"

namespace editeur {

namespace {

struct Type {
    const char* fichierImage;
    const char* nature;
    const char* explication;
    const char* mot;
};

const Type kTypes[kNombreTypes] = {
    {"data/bois.jpg", aTraduire("Joueur"), aTraduire("Le joueur demarrera ici"), "textureSphere"},
    {"data/sol.jpg", aTraduire("Cube[sol]"), aTraduire("Cube, a utiliser sans moderation"), "textureSol"},
    {"data/caisse.jpg", aTraduire("Cube[mur]"), aTraduire("Cube, a utiliser sans moderation"), "textureCaisse"},
    {"data/jump.jpg", aTraduire("Jump"), aTraduire("Propulse le joueur en l'air"), "textureJump"},
    {"data/speed.jpg", aTraduire("Turbo"), aTraduire("Acceleration vers l'avant"), "textureSpeed"},
    {"data/caisse2.jpg", aTraduire("Arrivee"), aTraduire("Fin de la partie"), "textureArrivee"},
    {"data/vide.jpg", aTraduire("Vide[invisible]"), aTraduire("Fait tomber le joueur dans le vide"), "textureVide"},
    {"data/depart.jpg", aTraduire("Depart"), aTraduire("Zone ou le joueur commence"), "textureDepart"},
    {"data/save.jpg", aTraduire("Checkpoint"), aTraduire("Le joueur reaparaitra la s'il tombe"), "textureSauvegarde"},
    {"data/bois.jpg", aTraduire("Vie"), aTraduire("Bonus: une vie de plus"), "textureSphere"},
    {"data/speed.jpg", aTraduire("Speed"), aTraduire("Bonus: le joueur va plus vite"), "textureSpeed"},
    {"data/bois.jpg", aTraduire("Sphere[decor]"), aTraduire("Decor, le joueur la traverse"), "textureSphere"},
};

bool dansPalette(int i) { return i >= 0 && i < kNombreTypes; }

unsigned int textureBlanche() {
    const GLubyte blanc[4] = {255, 255, 255, 255};
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, blanc);
    return t;
}

}  // namespace

GestionTexture::~GestionTexture() { liberer(); }

void GestionTexture::liberer() {
    for (unsigned int t : textures)
        libererTexture(t);
    textures.clear();
}

void GestionTexture::initialiserTextures() {
    liberer();
    for (const Type& type : kTypes) {
        unsigned int t = loadTexture(type.fichierImage, true);
        if (!t) {
            std::fprintf(stderr, "bramelt: cannot load %s; its objects are drawn white\n",
                         type.fichierImage);
            t = textureBlanche();
        }
        textures.push_back(t);
    }
}

unsigned int GestionTexture::intToTexture(int num_texture) const {
    return num_texture >= 0 && num_texture < getSize() ? textures[num_texture] : 0;
}

int GestionTexture::textureToInt(unsigned int texture) const {
    for (int i = 0; i < getSize(); ++i)
        if (textures[i] == texture) return i;
    return 1;
}

std::string intToCharTexture(int texture) {
    return dansPalette(texture) ? kTypes[texture].mot : "textureSol";
}

int indexDuMot(const std::string& mot) {
    for (int i = 0; i < kNombreTypes; ++i)
        if (mot == kTypes[i].mot) return i;
    return -1;
}

std::string objToChar(int objet, const std::string& type) {
    if (!dansPalette(objet)) return "erreur";
    if (type == "nature") return tr(kTypes[objet].nature);
    if (type == "explication") return tr(kTypes[objet].explication);
    return "";
}

int typeFichierDe(int typeEditeur) {
    if (typeEditeur == kTypeSphere) return 0;
    return typeEditeur <= 1 ? typeEditeur : typeEditeur - 1;
}

int typeEditeurDe(int typeFichier, bool premier) {
    if (typeFichier < 0 || typeFichier > 9) return -1;
    if (typeFichier == 0) return premier ? 0 : kTypeSphere;
    return typeFichier == 1 ? 1 : typeFichier + 1;
}

int indexTextureLu(int typeEditeur, const std::string& mot) {
    if (mot == "textureCaisse") return 2;
    const int i = indexDuMot(mot);
    const bool rond = typeEditeur == 0 || typeEditeur >= kTypeVie;
    return rond && i >= 0 ? i : typeEditeur;
}

}  // namespace editeur
