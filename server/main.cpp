// SPDX-License-Identifier: GPL-3.0-or-later
// vorna-scores: the leaderboard server the game's score links lead to.
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "depot.h"
#include "moderation.h"
#include "options_scores.h"
#include "serveur.h"

namespace {

std::string lire(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return f ? s.str() : std::string();
}

// The folder of the program, with its last '/'.
std::string ici() {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    const std::string chemin = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();
    return chemin.substr(0, chemin.find_last_of('/') + 1);
}

// The game's logo: in the data folder, else installed beside the program
// (../share/vorna-scores), else in the build's game folder (../game/data).
std::string logo(const std::string& dossier) {
    const std::string ici = ::ici();
    for (const std::string& chemin : {dossier + "/logo.jpg", ici + "../share/vorna-scores/logo.jpg",
                                      ici + "../game/data/logo.jpg"}) {
        const std::string image = lire(chemin);
        if (!image.empty()) return image;
    }
    std::fprintf(stderr, "vorna-scores: no logo.jpg found; the pages show the name instead\n");
    return "";
}

// The catalogues of the pages: the folder given, else installed beside the
// program (../share/locale, under the server's own name, so its package and
// the game's share no file), else the build's, which the game reads
// (../game/share/locale). Said on standard error.
std::shared_ptr<const TextesPages> textes(const OptionsScores& o) {
    const std::vector<std::string> domaines = {"vorna-scores", "vorna"};
    auto t = std::make_shared<TextesPages>();
    std::string dossier;
    for (const std::string& d : o.catalogues.empty() ? std::vector<std::string>{ici() + "../share/locale",
                                                                               ici() + "../game/share/locale"}
                                                     : std::vector<std::string>{o.catalogues}) {
        t->charger(dossier = d, domaines);
        if (!t->langues().empty()) break;
    }
    std::string langues;
    for (const std::string& l : t->langues())
        if (l != "fr") langues += ", " + l;
    if (t->langues().empty())
        std::fprintf(stderr, "vorna-scores: no catalogue in %s: the pages are in French only\n", dossier.c_str());
    else
        std::fprintf(stderr, "vorna-scores: the pages in fr%s (catalogues of %s)\n", langues.c_str(), dossier.c_str());
    return t;
}

// Every connection holds a descriptor: take all the system grants.
void assezDeDescripteurs() {
    rlimit l{};
    if (getrlimit(RLIMIT_NOFILE, &l) == 0 && l.rlim_cur < l.rlim_max) {
        l.rlim_cur = l.rlim_max;
        setrlimit(RLIMIT_NOFILE, &l);
    }
}

// A password given in --database shows in ps for every user of the
// machine: blank it out of the command line (the libpq environment or a
// password file keeps it out from the start).
void cacherMotDePasse(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--database") != 0) continue;
        char* url = argv[i + 1];
        char* arobase = std::strchr(url, '@');
        char* schema = std::strstr(url, "://");
        if (!arobase || !schema) continue;
        char* deuxPoints = std::strchr(schema + 3, ':');
        if (!deuxPoints || deuxPoints > arobase) continue;
        std::fprintf(stderr, "vorna-scores: a password on the command line shows in ps; PGPASSWORD or "
                             "PGPASSFILE keep it out (see man vorna-scores)\n");
        for (char* c = deuxPoints + 1; c < arobase; ++c) *c = 'x';
    }
}

const double kSecondesCpuCourse = 10;  // the CPU time one replay may take

// The scenario levels runs are verified on; said on standard error.
std::shared_ptr<NiveauxConnus> niveaux(const OptionsScores& o) {
    auto n = std::make_shared<NiveauxConnus>();
    const std::string dossier = o.niveaux.empty() ? dossierNiveauxParDefaut() : o.niveaux;
    const int lus = n->chargerScenarios(dossier);
    std::fprintf(stderr, "vorna-scores: %d scenario levels from %s verify the runs\n", lus, dossier.c_str());
    return n;
}

int demarrer(const OptionsScores& o) {
    const std::string base = o.base.empty() ? o.dossier + "/scores.sqlite" : o.base;
    std::string faute;
    std::unique_ptr<Depot> depot = ouvrirDepot(base, faute);
    if (!depot) {
        std::fprintf(stderr, "vorna-scores: cannot open the scores (%s): %s\n",
                     o.base.empty() ? base.c_str() : "--database", faute.c_str());
        return 1;
    }
    if (o.action == OptionsScores::Retirer) return retirerEntree(*depot, o.entree);
    if (o.action == OptionsScores::RetirerNom) return retirerNom(*depot, o.nom);
    if (o.action == OptionsScores::RetirerCarte) return retirerCarte(*depot, o.entree);
    if (o.action == OptionsScores::Reverifier) return reverifierEtDire(*depot, *niveaux(o), kSecondesCpuCourse);
    // The signals are taken by sigwait below; every thread started from here
    // inherits the mask. A client that hangs up must not end the program.
    sigset_t signaux;
    sigemptyset(&signaux);
    // A signal ignored by the parent stays ignored through exec and would never reach sigwait.
    for (int s : {SIGINT, SIGTERM, SIGUSR1}) sigaddset(&signaux, s), signal(s, SIG_DFL);
    pthread_sigmask(SIG_BLOCK, &signaux, nullptr);
    signal(SIGPIPE, SIG_IGN);

    assezDeDescripteurs();
    ReglagesHttp http;
    http.connexionsParAdresse = o.parAdresse;
    ServeurScores serveur(*depot, {o.limite, o.derriereProxy, logo(o.dossier), http, niveaux(o), 2, kSecondesCpuCourse,
                                   o.cartesParJour, textes(o)});
    const int port = serveur.lier(o.adresse, o.port);
    if (port < 0) {
        std::fprintf(stderr, "vorna-scores: cannot listen on %s port %d: %s\n", o.adresse.c_str(), o.port,
                     std::strerror(errno));
        return 1;
    }
    const bool ipv6 = o.adresse.find(':') != std::string::npos;
    std::fprintf(stderr, "vorna-scores %s: listening on http://%s%s%s:%d/, scores in %s\n", VORNA_VERSION,
                 ipv6 ? "[" : "", o.adresse.c_str(), ipv6 ? "]" : "", port, o.base.empty() ? base.c_str() : "PostgreSQL");
    bool servi = true;
    std::thread ecoute([&] {
        servi = serveur.servir();
        kill(getpid(), SIGUSR1);  // wakes sigwait when serving ends by itself
    });
    int signal = 0;
    sigwait(&signaux, &signal);
    serveur.arreter();
    ecoute.join();
    if (signal == SIGUSR1 && !servi) {
        std::fprintf(stderr, "vorna-scores: serving stopped\n");
        return 1;
    }
    std::fprintf(stderr, "vorna-scores: stopped by %s\n", signal == SIGINT ? "SIGINT" : "SIGTERM");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const OptionsScores o = lireOptionsScores(argc, argv);
    cacherMotDePasse(argc, argv);
    switch (o.action) {
    case OptionsScores::Aide:
        std::fputs(kAideScores, stdout);
        return 0;
    case OptionsScores::Version:
        std::printf("vorna-scores %s\n", VORNA_VERSION);
        return 0;
    case OptionsScores::Erreur:
        std::fprintf(stderr, "vorna-scores: %s\n%.*s\n", o.erreur.c_str(),
                     static_cast<int>(std::strchr(kAideScores, '\n') - kAideScores), kAideScores);
        return 2;
    default:
        break;
    }
    return demarrer(o);
}
