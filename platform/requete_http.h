// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_REQUETE_HTTP_H
#define VORNA_REQUETE_HTTP_H

#include <memory>
#include <string>
#include <vector>

// One HTTP or HTTPS request at a time, made by libcurl in a thread of its
// own, so that the frames never wait for the network: lancer() returns at
// once, the loop then asks finie() at each frame and reads reponse() once it
// is. A request ends within its total time-out whatever the server does.
// The object may be dropped at any time: a request still running is cut
// short and its thread waited for (a fraction of a second at most).
class RequeteHttp {
public:
    struct Reponse {
        long statut = 0;      // the HTTP status; 0 when no answer came
        std::string corps;    // the body, cut at the most asked for
        std::string erreur;   // why no answer came (libcurl's words), or ""
        std::string type;     // the Content-Type
    };

    RequeteHttp();
    ~RequeteHttp();
    RequeteHttp(const RequeteHttp&) = delete;
    RequeteHttp& operator=(const RequeteHttp&) = delete;

    // A GET (`corps` empty and `post` false) or a POST of `corps` as
    // `type` (text/plain unless said) to `url`, ended after `delaiMs`
    // whatever happens; an answer longer than `corpsMax` bytes is cut off as
    // an error. False, and nothing started, while the previous request runs.
    bool lancer(const std::string& url, bool post, const std::string& corps, long delaiMs,
                size_t corpsMax = 1 << 20, const std::string& type = "text/plain");
    bool enCours() const;
    // A request was started and has ended: reponse() holds its answer.
    bool finie() const;
    // The answer of the request ended (empty before).
    Reponse reponse() const;

private:
    struct Etat;
    std::shared_ptr<Etat> m_etat;
};

// The lines of a server's answer, each without its '\n' ("\r\n" accepted).
std::vector<std::string> lignesReponse(const std::string& corps);
// A text of an answer that can be shown as it is: 1 to `max` bytes, no
// control character (UTF-8 letters kept).
bool texteMontrable(const std::string& s, size_t max);

#endif
