// SPDX-License-Identifier: GPL-3.0-or-later
#include "generateur.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "decor.h"
#include "image.h"
#include "police.h"
#include "sons.h"
#include "textures.h"

namespace fs = std::filesystem;

namespace atelier {

namespace {

constexpr int QUALITE_TEXTURE = 90;
constexpr int QUALITE_CIEL = 90;
constexpr int QUALITE_LOGO = 92;

bool commencePar(const std::string& s, const std::string& debut) { return s.compare(0, debut.size(), debut) == 0; }

}  // namespace

const std::vector<std::string>& fichiersDonnees() {
    static const std::vector<std::string> fichiers = [] {
        // The slow ones first, so two threads share the work evenly.
        std::vector<std::string> f = {"sound/ig.mp3", "sound/menu.mp3", "sky/sky2.jpg", "sky/sky.jpg",
                                      "logo.jpg",     "font1.TGA",      "iconeVorna.bmp"};
        for (const std::string& t : nomsTextures()) f.push_back(t);
        for (const std::string& e : nomsEffets()) f.push_back("sound/" + e);
        return f;
    }();
    return fichiers;
}

std::string fabriquer(const std::string& chemin) {
    const auto& liste = fichiersDonnees();
    if (std::find(liste.begin(), liste.end(), chemin) == liste.end())
        throw std::invalid_argument("no data file is called " + chemin);
    if (chemin == "font1.TGA") return encoderTga(versOctets(atlasPolice(), 4));
    if (chemin == "sky/sky.jpg") return encoderJpeg(versOctets(cielCrepuscule(), 3), QUALITE_CIEL);
    if (chemin == "sky/sky2.jpg") return encoderJpeg(versOctets(cielAlpin(), 3), QUALITE_CIEL);
    if (chemin == "logo.jpg") return encoderJpeg(versOctets(logo(), 3), QUALITE_LOGO);
    if (chemin == "iconeVorna.bmp") return encoderBmp(versOctets(icone(), 3));
    if (commencePar(chemin, "sound/")) {
        std::string nom = chemin.substr(6);
        if (nom == "menu.mp3" || nom == "ig.mp3") return encoderMp3(musique(nom));
        return encoderWav(effet(nom), 1);
    }
    return encoderJpeg(versOctets(texture(chemin), 3), QUALITE_TEXTURE);
}

namespace {

bool ecrireEntier(const fs::path& chemin, const std::string& octets, std::string& erreur) {
    fs::path provisoire = chemin;
    provisoire += ".tmp";
    {
        std::ofstream f(provisoire, std::ios::binary | std::ios::trunc);
        if (!f) {
            erreur = "cannot write " + provisoire.string();
            return false;
        }
        f.write(octets.data(), std::streamsize(octets.size()));
        f.close();
        if (!f) {
            erreur = "cannot write " + provisoire.string();
            std::error_code ec;
            fs::remove(provisoire, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(provisoire, chemin, ec);
    if (ec) {
        erreur = "cannot rename " + provisoire.string() + ": " + ec.message();
        fs::remove(provisoire, ec);
        return false;
    }
    return true;
}

}  // namespace

const std::vector<int>& taillesIcone() {
    static const std::vector<int> tailles = {16, 24, 32, 48, 64, 128, 256};
    return tailles;
}

std::string fabriquerIcone(int taille) { return encoderPng(versOctets(icone(taille), 3)); }

bool genererIcones(const std::string& dossier) {
    preparerEncodeurs();
    for (int n : taillesIcone()) {
        const fs::path apps = fs::path(dossier) / "hicolor" / (std::to_string(n) + "x" + std::to_string(n)) / "apps";
        std::error_code ec;
        fs::create_directories(apps, ec);
        std::string erreur = ec ? "cannot create the folder " + apps.string() + ": " + ec.message() : "";
        if (erreur.empty() && ecrireEntier(apps / "vorna.png", fabriquerIcone(n), erreur)) continue;
        std::fprintf(stderr, "vorna_assets: %s\n", erreur.c_str());
        return false;
    }
    return true;
}

bool genererDonnees(const std::string& dossierData, int fils) {
    std::string nom = dossierData;
    while (nom.size() > 1 && nom.back() == '/') nom.pop_back();
    const fs::path data = nom.empty() ? fs::path("data") : fs::path(nom);
    fs::path parent = data.parent_path();
    if (parent.empty()) parent = ".";
    for (const fs::path& d : {data, data / "sky", data / "sound", data / "joueur", parent / "ghost"}) {
        std::error_code ec;
        fs::create_directories(d, ec);
        if (ec) {
            std::fprintf(stderr, "vorna_assets: cannot create the folder %s: %s\n", d.string().c_str(),
                         ec.message().c_str());
            return false;
        }
    }
    preparerEncodeurs();
    const auto& liste = fichiersDonnees();
    std::atomic<size_t> prochain{0};
    std::atomic<bool> reussi{true};
    std::mutex sortie;
    auto travail = [&] {
        for (size_t i = prochain++; i < liste.size(); i = prochain++) {
            std::string erreur;
            try {
                std::string octets = fabriquer(liste[i]);
                if (ecrireEntier(data / liste[i], octets, erreur)) continue;
            } catch (const std::exception& e) {
                erreur = liste[i] + ": " + e.what();
            }
            reussi = false;
            std::lock_guard<std::mutex> verrou(sortie);
            std::fprintf(stderr, "vorna_assets: %s\n", erreur.c_str());
        }
    };
    std::vector<std::thread> equipe;
    for (int k = 1; k < std::max(1, fils); ++k) equipe.emplace_back(travail);
    travail();
    for (std::thread& t : equipe) t.join();
    return reussi;
}

}  // namespace atelier
