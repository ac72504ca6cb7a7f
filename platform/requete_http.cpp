// SPDX-License-Identifier: GPL-3.0-or-later
#include "requete_http.h"

#include <curl/curl.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "bibliotheques.h"

struct RequeteHttp::Etat {
    mutable std::mutex garde;
    std::thread fil;
    std::atomic<bool> enCours{false}, finie{false}, abandon{false};
    Reponse reponse;
};

namespace {

// libcurl's functions, from the library opened in the background
// (bibliotheques.h); all there, or no request.
struct FonctionsCurl : bibliotheques::Fonctions<bibliotheques::Http> {
#define VORNA_CURL(nom) decltype(curl_##nom)* nom = trouver<decltype(curl_##nom)>("curl_" #nom)
    VORNA_CURL(easy_init);
    VORNA_CURL(easy_setopt);
    VORNA_CURL(easy_perform);
    VORNA_CURL(easy_getinfo);
    VORNA_CURL(easy_strerror);
    VORNA_CURL(easy_cleanup);
    VORNA_CURL(slist_append);
    VORNA_CURL(slist_free_all);
    VORNA_CURL(global_init);
#undef VORNA_CURL
};

// Opened, and set up once: libcurl's start is safe from any thread.
const FonctionsCurl* curl() {
    static const FonctionsCurl f;
    static const bool pret = f.completes() && f.global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return pret ? &f : nullptr;
}

struct Transfert {
    std::string corps;
    size_t max = 0;
    const std::atomic<bool>* abandon = nullptr;
};

size_t recevoir(char* donnees, size_t taille, size_t n, void* t) {
    Transfert& tr = *static_cast<Transfert*>(t);
    if (tr.corps.size() + taille * n > tr.max) return 0;  // too long: libcurl stops with an error
    tr.corps.append(donnees, taille * n);
    return taille * n;
}

// Called by libcurl often while it works: non-zero cuts the request short.
int progres(void* t, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfert*>(t)->abandon->load() ? 1 : 0;
}

RequeteHttp::Reponse executer(const std::string& url, bool post, const std::string& corps, long delaiMs,
                              size_t corpsMax, const std::string& type, const std::atomic<bool>& abandon) {
    RequeteHttp::Reponse r;
    const FonctionsCurl* k = curl();
    if (!k) return r.erreur = "libcurl is missing", r;
    CURL* c = k->easy_init();
    if (!c) return r.erreur = "libcurl could not start", r;
    Transfert t{std::string(), corpsMax, &abandon};
    char erreur[CURL_ERROR_SIZE] = "";
    curl_slist* entetes = nullptr;
    k->easy_setopt(c, CURLOPT_URL, url.c_str());
    k->easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    k->easy_setopt(c, CURLOPT_NOSIGNAL, 1L);  // a thread of its own: no alarm for the resolver
    k->easy_setopt(c, CURLOPT_TIMEOUT_MS, delaiMs);
    k->easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, delaiMs);
    k->easy_setopt(c, CURLOPT_WRITEFUNCTION, recevoir);
    k->easy_setopt(c, CURLOPT_WRITEDATA, &t);
    k->easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    k->easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progres);
    k->easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    k->easy_setopt(c, CURLOPT_ERRORBUFFER, erreur);
    k->easy_setopt(c, CURLOPT_USERAGENT, "vorna");
    if (post) {
        entetes = k->slist_append(entetes, ("Content-Type: " + type).c_str());
        entetes = k->slist_append(entetes, "Expect:");  // the body goes at once
        k->easy_setopt(c, CURLOPT_HTTPHEADER, entetes);
        k->easy_setopt(c, CURLOPT_POSTFIELDS, corps.data());
        k->easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(corps.size()));
    }
    const CURLcode res = k->easy_perform(c);
    if (res == CURLE_OK) {
        k->easy_getinfo(c, CURLINFO_RESPONSE_CODE, &r.statut);
        const char* recu = nullptr;
        if (k->easy_getinfo(c, CURLINFO_CONTENT_TYPE, &recu) == CURLE_OK && recu) r.type = recu;
        r.corps = std::move(t.corps);
    } else {
        r.erreur = *erreur ? erreur : k->easy_strerror(res);
    }
    k->slist_free_all(entetes);
    k->easy_cleanup(c);
    return r;
}

}  // namespace

RequeteHttp::RequeteHttp() : m_etat(std::make_shared<Etat>()) {}

RequeteHttp::~RequeteHttp() {
    m_etat->abandon = true;
    if (m_etat->fil.joinable()) m_etat->fil.join();
}

bool RequeteHttp::lancer(const std::string& url, bool post, const std::string& corps, long delaiMs,
                         size_t corpsMax, const std::string& type) {
    if (m_etat->enCours) return false;
    if (m_etat->fil.joinable()) m_etat->fil.join();  // ended already
    m_etat->enCours = true;
    m_etat->finie = false;
    {
        std::lock_guard<std::mutex> g(m_etat->garde);
        m_etat->reponse = Reponse();
    }
    Etat* e = m_etat.get();
    e->fil = std::thread([e, url, post, corps, delaiMs, corpsMax, type] {
        Reponse r = executer(url, post, corps, delaiMs, corpsMax, type, e->abandon);
        std::lock_guard<std::mutex> g(e->garde);
        e->reponse = std::move(r);
        e->finie = true;
        e->enCours = false;
    });
    return true;
}

bool RequeteHttp::enCours() const { return m_etat->enCours; }
bool RequeteHttp::finie() const { return m_etat->finie; }

RequeteHttp::Reponse RequeteHttp::reponse() const {
    std::lock_guard<std::mutex> g(m_etat->garde);
    return m_etat->reponse;
}

std::vector<std::string> lignesReponse(const std::string& corps) {
    std::vector<std::string> r;
    for (size_t debut = 0; debut < corps.size();) {
        size_t fin = corps.find('\n', debut);
        if (fin == std::string::npos) fin = corps.size();
        std::string l = corps.substr(debut, fin - debut);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        r.push_back(l);
        debut = fin + 1;
    }
    return r;
}

bool texteMontrable(const std::string& s, size_t max) {
    if (s.empty() || s.size() > max) return false;
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}
