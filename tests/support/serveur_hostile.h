// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_SERVEUR_HOSTILE_H
#define VORNA_TEST_SERVEUR_HOSTILE_H

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

// A broken score server on 127.0.0.1, on raw sockets in a thread of its
// own, for the game's side of the network: one that refuses connections,
// one that reads the request and never answers, one that answers 500, one
// that answers bytes that are no HTTP, or one that answers each path with a
// fixed reply (404 for any other).
class ServeurHostile {
public:
    enum Maniere { Refuse, Muet, Erreur500, Charabia, Fixe };
    // For Fixe: the reply to each path ("/course", "/records.txt"...), as
    // http() writes them.
    explicit ServeurHostile(Maniere m, std::map<std::string, std::string> reponses = {});
    ~ServeurHostile();
    ServeurHostile(const ServeurHostile&) = delete;
    ServeurHostile& operator=(const ServeurHostile&) = delete;
    // "127.0.0.1:PORT", for setServeurScore.
    std::string adresse() const { return "127.0.0.1:" + std::to_string(m_port); }
    // The last request received, whole (request line, headers, body).
    std::string requete() const;
    int requetes() const { return m_nombre; }
    // An HTTP/1.1 reply of status `statut` with `corps` as text/plain.
    static std::string http(int statut, const std::string& corps);

private:
    void servir();
    void repondre(int client);
    Maniere m_maniere;
    std::map<std::string, std::string> m_reponses;
    int m_ecoute = -1, m_port = 0, m_arret[2] = {-1, -1};
    std::thread m_fil;
    mutable std::mutex m_garde;
    std::string m_requete;
    std::atomic<int> m_nombre{0};
};

#endif
