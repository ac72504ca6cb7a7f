// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

DossierTemporaire::DossierTemporaire() {
    m_avant = fs::current_path().string();
    std::string modele = (fs::temp_directory_path() / "vorna-test-XXXXXX").string();
    if (!mkdtemp(modele.data())) throw std::runtime_error("mkdtemp failed");
    m_chemin = modele;
    fs::current_path(m_chemin);
}

DossierTemporaire::~DossierTemporaire() {
    std::error_code ec;
    fs::current_path(m_avant, ec);
    fs::permissions(m_chemin, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto& p : fs::recursive_directory_iterator(m_chemin, ec))
        if (p.is_directory(ec)) fs::permissions(p.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_chemin, ec);
}

void DossierTemporaire::arborescenceJeu() {
    for (const char* d : {"data/sound", "data/sky", "data/joueur", "maps/niveau", "maps/menu", "ghost"})
        creerDossiers(d);
}

void creerDossiers(const std::string& chemin) { fs::create_directories(chemin); }

static int fichierCreux(const std::string& chemin, long long taille) {
    ecrireFichier(chemin, "@");
    return truncate(chemin.c_str(), static_cast<off_t>(taille));
}

static void parent(const std::string& chemin) {
    fs::path p = fs::path(chemin).parent_path();
    if (!p.empty()) fs::create_directories(p);
}

void ecrireFichier(const std::string& chemin, const std::string& contenu) {
    parent(chemin);
    std::ofstream f(chemin, std::ios::binary);
    f << contenu;
}

std::string lireFichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<std::string> lignes(const std::string& texte) {
    std::vector<std::string> r;
    std::istringstream in(texte);
    for (std::string l; std::getline(in, l);) r.push_back(l);
    return r;
}

bool existe(const std::string& chemin) { return fs::exists(chemin); }

std::string sortieErreur(const std::function<void()>& f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
}

std::map<std::string, std::string> releve(const std::string& dossier) {
    std::map<std::string, std::string> r;
    for (const auto& e : fs::directory_iterator(dossier)) {  // links never followed, a loop of them neither
        const std::string nom = e.path().filename().string();
        struct stat s;
        lstat(e.path().c_str(), &s);
        if (S_ISLNK(s.st_mode)) r[nom] = "-> " + fs::read_symlink(e.path()).string();
        else if (S_ISDIR(s.st_mode)) {
            r[nom] = "/";
            for (const auto& [n, v] : releve(e.path().string())) r[nom + "/" + n] = v;
        } else r[nom] = lireFichier(e.path()) + " #" + std::to_string(s.st_ino) + " @" +
                      std::to_string(s.st_mtim.tv_sec) + "." + std::to_string(s.st_mtim.tv_nsec);
    }
    return r;
}

std::vector<std::string> creerFichiersHostiles(const std::string& dossier,
                                               const std::string& extension) {
    std::vector<std::string> r;
    for (const char* nom : {"fifo", "zero", "urandom", "dossier", "enorme"})
        r.push_back(dossier + "/" + nom + extension);
    creerDossiers(r[3]);
    if (mkfifo(r[0].c_str(), 0644) != 0 || symlink("/dev/zero", r[1].c_str()) != 0 ||
        symlink("/dev/urandom", r[2].c_str()) != 0 || fichierCreux(r[4], (64LL << 20) + 1) != 0)
        throw std::runtime_error("cannot make the hostile files in " + dossier);
    return r;
}

Image::Image(int l, int h, int c) : largeur(l), hauteur(h), canaux(c), pixels(size_t(l) * h * c, 0) {}

void Image::mettre(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    uint8_t* p = &pixels[(size_t(y) * largeur + x) * canaux];
    p[0] = r;
    if (canaux > 1) p[1] = g;
    if (canaux > 2) p[2] = b;
    if (canaux > 3) p[3] = a;
}

void Image::remplir(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x) mettre(x, y, r, g, b, a);
}

void ecrireJpeg(const std::string& chemin, const Image& i, int qualite) {
    parent(chemin);
    stbi_write_jpg(chemin.c_str(), i.largeur, i.hauteur, i.canaux, i.pixels.data(), qualite);
}

void ecrireTga(const std::string& chemin, const Image& i) {
    parent(chemin);
    stbi_write_tga_with_rle = 0;
    stbi_write_tga(chemin.c_str(), i.largeur, i.hauteur, i.canaux, i.pixels.data());
}

static void mot16(std::ofstream& f, uint16_t v) { f.put(char(v & 0xFF)); f.put(char(v >> 8)); }
static void mot32(std::ofstream& f, uint32_t v) { mot16(f, uint16_t(v & 0xFFFF)); mot16(f, uint16_t(v >> 16)); }

void ecrireWav(const std::string& chemin, int ms, int frequence) {
    parent(chemin);
    const uint32_t n = uint32_t(frequence) * ms / 1000;
    std::ofstream f(chemin, std::ios::binary);
    f.write("RIFF", 4); mot32(f, 36 + n * 2); f.write("WAVE", 4);
    f.write("fmt ", 4); mot32(f, 16); mot16(f, 1); mot16(f, 1); mot32(f, frequence);
    mot32(f, frequence * 2); mot16(f, 2); mot16(f, 16);
    f.write("data", 4); mot32(f, n * 2);
    for (uint32_t k = 0; k < n; ++k)
        mot16(f, uint16_t(int16_t(8000 * std::sin(2 * M_PI * 440.0 * k / frequence))));
}
