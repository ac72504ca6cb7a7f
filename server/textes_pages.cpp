// SPDX-License-Identifier: GPL-3.0-or-later
#include "textes_pages.h"

#include <cctype>
#include <cstdlib>

namespace {

// The languages after French, in the order of the table's columns.
const char* const kLangues[] = {"en", "de", "es", "it", "pt-BR"};
const int kAutres = 5;

struct Texte {
    const char* fr;
    const char* autres[kAutres];
};

const Texte kTextes[] = {
    {"Temps", {"Time", "Zeit", "Tiempo", "Tempo", "Tempo"}},
    {"Course", {"Run", "Lauf", "Carrera", "Corsa", "Corrida"}},
    {"vérifié", {"verified", "geprüft", "verificada", "verificata", "verificada"}},
    {"non vérifié", {"not verified", "ungeprüft", "no verificada", "non verificata", "não verificada"}},
    {"Les courses vérifiées ont été rejouées par ce serveur depuis les touches du joueur ; les scores "
     "non vérifiés, envoyés par les anciennes versions du jeu, viennent après elles.",
     {"Verified runs were played again by this server from the player's keys; unverified scores, sent by older "
      "versions of the game, come after them.",
      "Geprüfte Läufe hat dieser Server aus den Tasten des Spielers nachgespielt; ungeprüfte Ergebnisse, von "
      "älteren Versionen des Spiels gesendet, folgen danach.",
      "Las carreras verificadas han sido rejugadas por este servidor a partir de las teclas del jugador; las "
      "puntuaciones no verificadas, enviadas por versiones antiguas del juego, van detrás.",
      "Le corse verificate sono state rigiocate da questo server a partire dai tasti del giocatore; i punteggi "
      "non verificati, inviati dalle vecchie versioni del gioco, vengono dopo.",
      "As corridas verificadas foram jogadas de novo por este servidor a partir das teclas do jogador; as "
      "pontuações não verificadas, enviadas por versões antigas do jogo, vêm depois."}},
    {"Meilleurs scores", {"Best scores", "Bestenliste", "Mejores puntuaciones", "Migliori punteggi", "Melhores pontuações"}},
    {"Niveau", {"Level", "Level", "Nivel", "Livello", "Nível"}},
    {"Record", {"Best", "Rekord", "Récord", "Record", "Recorde"}},
    {"Joueur", {"Player", "Spieler", "Jugador", "Giocatore", "Jogador"}},
    {"Rang", {"Rank", "Platz", "Puesto", "Posizione", "Posição"}},
    {"Nom", {"Name", "Name", "Nombre", "Nome", "Nome"}},
    {"Points", {"Points", "Punkte", "Puntos", "Punti", "Pontos"}},
    {"Date", {"Date", "Datum", "Fecha", "Data", "Data"}},
    {"Score enregistré : <b>%1</b>, %2 points, %3<sup>re</sup> place.",
     {"Score saved: <b>%1</b>, %2 points, rank %3.", "Ergebnis gespeichert: <b>%1</b>, %2 Punkte, Platz %3.",
      "Puntuación guardada: <b>%1</b>, %2 puntos, puesto %3.", "Punteggio salvato: <b>%1</b>, %2 punti, posizione %3.",
      "Pontuação salva: <b>%1</b>, %2 pontos, posição %3."}},
    {"Score enregistré : <b>%1</b>, %2 points, %3<sup>e</sup> place.",
     {"Score saved: <b>%1</b>, %2 points, rank %3.", "Ergebnis gespeichert: <b>%1</b>, %2 Punkte, Platz %3.",
      "Puntuación guardada: <b>%1</b>, %2 puntos, puesto %3.", "Punteggio salvato: <b>%1</b>, %2 punti, posizione %3.",
      "Pontuação salva: <b>%1</b>, %2 pontos, posição %3."}},
    {"\xe2\x86\x90 Précédents", {"\xe2\x86\x90 Previous", "\xe2\x86\x90 Vorherige", "\xe2\x86\x90 Anteriores",
                                  "\xe2\x86\x90 Precedenti", "\xe2\x86\x90 Anteriores"}},
    {"Suivants \xe2\x86\x92", {"Next \xe2\x86\x92", "Nächste \xe2\x86\x92", "Siguientes \xe2\x86\x92",
                                "Successivi \xe2\x86\x92", "Próximos \xe2\x86\x92"}},
    {"Aucun score sur cette page.", {"No score on this page.", "Kein Ergebnis auf dieser Seite.",
                                     "Ninguna puntuación en esta página.", "Nessun punteggio in questa pagina.",
                                     "Nenhuma pontuação nesta página."}},
    {"Aucun score pour l'instant.", {"No score yet.", "Noch kein Ergebnis.", "Aún no hay puntuaciones.",
                                     "Ancora nessun punteggio.", "Ainda não há pontuações."}},
    {"Ce classement en JSON", {"This leaderboard as JSON", "Diese Bestenliste als JSON", "Esta clasificación en JSON",
                               "Questa classifica in JSON", "Esta classificação em JSON"}},
    {"Votre score : <b>%1 points</b>", {"Your score: <b>%1 points</b>", "Dein Ergebnis: <b>%1 Punkte</b>",
                                        "Tu puntuación: <b>%1 puntos</b>", "Il tuo punteggio: <b>%1 punti</b>",
                                        "Sua pontuação: <b>%1 pontos</b>"}},
    {"Votre nom", {"Your name", "Dein Name", "Tu nombre", "Il tuo nome", "Seu nome"}},
    {"Enregistrer", {"Save", "Speichern", "Guardar", "Salva", "Salvar"}},
    {"Ce score attend un nom pendant 24 heures.",
     {"This score waits 24 hours for a name.", "Dieses Ergebnis wartet 24 Stunden auf einen Namen.",
      "Esta puntuación espera un nombre durante 24 horas.", "Questo punteggio attende un nome per 24 ore.",
      "Esta pontuação espera um nome por 24 horas."}},
    {"Tous les niveaux", {"All levels", "Alle Level", "Todos los niveles", "Tutti i livelli", "Todos os níveis"}},
    {"Requête trop grande", {"Request too large", "Anfrage zu groß", "Petición demasiado grande",
                             "Richiesta troppo grande", "Requisição grande demais"}},
    {"Cette requête dépasse la taille permise.",
     {"This request is larger than allowed.", "Diese Anfrage ist größer als erlaubt.",
      "Esta petición supera el tamaño permitido.", "Questa richiesta supera la dimensione consentita.",
      "Esta requisição passa do tamanho permitido."}},
    {"Requête refusée", {"Request refused", "Anfrage abgelehnt", "Petición rechazada", "Richiesta rifiutata",
                         "Requisição recusada"}},
    {"Ce serveur ne comprend pas cette requête.",
     {"This server does not understand this request.", "Dieser Server versteht diese Anfrage nicht.",
      "Este servidor no entiende esta petición.", "Questo server non capisce questa richiesta.",
      "Este servidor não entende esta requisição."}},
    {"Page introuvable", {"Page not found", "Seite nicht gefunden", "Página no encontrada", "Pagina non trovata",
                          "Página não encontrada"}},
    {"Pas de logo ici.", {"No logo here.", "Hier gibt es kein Logo.", "Aquí no hay logotipo.", "Nessun logo qui.",
                          "Não há logotipo aqui."}},
    {"Il n'y a rien à cette adresse.", {"There is nothing at this address.", "Unter dieser Adresse gibt es nichts.",
                                        "No hay nada en esta dirección.", "Non c'è niente a questo indirizzo.",
                                        "Não há nada neste endereço."}},
    {"Scores indisponibles", {"Scores unavailable", "Ergebnisse nicht verfügbar", "Puntuaciones no disponibles",
                              "Punteggi non disponibili", "Pontuações indisponíveis"}},
    {"Les scores ne sont pas joignables pour l'instant ; réessayez dans une minute.",
     {"The scores cannot be reached right now; try again in a minute.",
      "Die Ergebnisse sind gerade nicht erreichbar; versuche es in einer Minute noch einmal.",
      "Las puntuaciones no están disponibles ahora; vuelve a intentarlo en un minuto.",
      "I punteggi non sono raggiungibili al momento; riprova tra un minuto.",
      "As pontuações não estão acessíveis agora; tente de novo em um minuto."}},
    {"Erreur du serveur", {"Server error", "Serverfehler", "Error del servidor", "Errore del server", "Erro do servidor"}},
    {"Les scores ne sont pas joignables ; réessayez plus tard.",
     {"The scores cannot be reached; try again later.",
      "Die Ergebnisse sind nicht erreichbar; versuche es später noch einmal.",
      "Las puntuaciones no están disponibles; vuelve a intentarlo más tarde.",
      "I punteggi non sono raggiungibili; riprova più tardi.",
      "As pontuações não estão acessíveis; tente de novo mais tarde."}},
    {"Lien de score refusé", {"Score link refused", "Ergebnis-Link abgelehnt", "Enlace de puntuación rechazado",
                              "Link del punteggio rifiutato", "Link de pontuação recusado"}},
    {"Trop de scores", {"Too many scores", "Zu viele Ergebnisse", "Demasiadas puntuaciones", "Troppi punteggi",
                        "Pontuações demais"}},
    {"Trop de noms", {"Too many names", "Zu viele Namen", "Demasiados nombres", "Troppi nomi", "Nomes demais"}},
    {"Cette adresse a envoyé trop de noms. Réessayez dans une minute.",
     {"This address sent too many names. Try again in a minute.",
      "Von dieser Adresse kamen zu viele Namen. Versuche es in einer Minute noch einmal.",
      "Esta dirección ha enviado demasiados nombres. Vuelve a intentarlo en un minuto.",
      "Questo indirizzo ha inviato troppi nomi. Riprova tra un minuto.",
      "Este endereço enviou nomes demais. Tente de novo em um minuto."}},
    {"Formulaire refusé", {"Form refused", "Formular abgelehnt", "Formulario rechazado", "Modulo rifiutato",
                           "Formulário recusado"}},
    {"Ce formulaire ne vient pas de ce serveur.",
     {"This form does not come from this server.", "Dieses Formular stammt nicht von diesem Server.",
      "Este formulario no viene de este servidor.", "Questo modulo non viene da questo server.",
      "Este formulário não vem deste servidor."}},
    {"Nom refusé", {"Name refused", "Name abgelehnt", "Nombre rechazado", "Nome rifiutato", "Nome recusado"}},
    {"Score expiré", {"Score expired", "Ergebnis abgelaufen", "Puntuación caducada", "Punteggio scaduto",
                      "Pontuação expirada"}},
    {"Niveau inconnu", {"Unknown level", "Unbekanntes Level", "Nivel desconocido", "Livello sconosciuto",
                        "Nível desconhecido"}},
    {"Les niveaux vont de 1 à 14.", {"The levels go from 1 to 14.", "Die Level gehen von 1 bis 14.",
                                     "Los niveles van del 1 al 14.", "I livelli vanno da 1 a 14.",
                                     "Os níveis vão de 1 a 14."}},
    {"Page inconnue", {"Unknown page", "Unbekannte Seite", "Página desconocida", "Pagina sconosciuta",
                       "Página desconhecida"}},
    {"Les cartes des joueurs", {"Players' maps", "Karten der Spieler", "Mapas de los jugadores",
                                "Mappe dei giocatori", "Mapas dos jogadores"}},
    {"Les plus récentes", {"Newest", "Neueste", "Más recientes", "Più recenti", "Mais recentes"}},
    {"Les plus jouées", {"Most played", "Meistgespielt", "Más jugados", "Più giocate", "Mais jogados"}},
    {"Carte", {"Map", "Karte", "Mapa", "Mappa", "Mapa"}},
    {"Parties", {"Plays", "Spiele", "Partidas", "Partite", "Partidas"}},
    {"par %1", {"by %1", "von %1", "por %1", "di %1", "por %1"}},
    {"Pas d'aperçu", {"No picture", "Kein Bild", "Sin imagen", "Nessuna immagine", "Sem imagem"}},
    {"Aucune carte sur cette page.", {"No map on this page.", "Keine Karte auf dieser Seite.",
                                      "Ningún mapa en esta página.", "Nessuna mappa in questa pagina.",
                                      "Nenhum mapa nesta página."}},
    {"Aucune carte pour l'instant.", {"No map yet.", "Noch keine Karte.", "Aún no hay mapas.",
                                      "Ancora nessuna mappa.", "Ainda não há mapas."}},
    {"Cette liste en JSON", {"This list as JSON", "Diese Liste als JSON", "Esta lista en JSON",
                             "Questo elenco in JSON", "Esta lista em JSON"}},
    {"Cette carte en JSON", {"This map as JSON", "Diese Karte als JSON", "Este mapa en JSON",
                             "Questa mappa in JSON", "Este mapa em JSON"}},
    {"Par <b>%1</b>, le %2.", {"By <b>%1</b>, on %2.", "Von <b>%1</b>, am %2.", "Por <b>%1</b>, el %2.",
                               "Di <b>%1</b>, il %2.", "Por <b>%1</b>, em %2."}},
    {"Téléchargée %1 fois.", {"Downloaded %1 times.", "%1-mal heruntergeladen.", "Descargado %1 veces.",
                              "Scaricata %1 volte.", "Baixado %1 vezes."}},
    {"Télécharger la carte", {"Download the map", "Karte herunterladen", "Descargar el mapa", "Scarica la mappa",
                              "Baixar o mapa"}},
    {"Carte introuvable", {"Map not found", "Karte nicht gefunden", "Mapa no encontrado", "Mappa non trovata",
                           "Mapa não encontrado"}},
    {"Il n'y a pas de carte à ce numéro.", {"There is no map with this number.", "Unter dieser Nummer gibt es keine Karte.",
                                            "No hay ningún mapa con este número.", "Non c'è nessuna mappa con questo numero.",
                                            "Não há mapa com este número."}},
    {"Cette carte n'a pas d'aperçu.", {"This map has no picture.", "Diese Karte hat kein Bild.",
                                       "Este mapa no tiene imagen.", "Questa mappa non ha immagine.",
                                       "Este mapa não tem imagem."}},
};

thread_local std::string langueEnCours = "fr";

std::string minuscules(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string sansBlancs(const std::string& s) {
    const size_t d = s.find_first_not_of(" \t");
    return d == std::string::npos ? "" : s.substr(d, s.find_last_not_of(" \t") - d + 1);
}

// The language of the pages a tag names ("en-GB" → "en"), empty for none.
std::string langueDuTag(const std::string& tag) {
    const std::string t = minuscules(tag);
    const std::string premier = t.substr(0, t.find('-'));
    if (premier == "fr") return "fr";
    for (const char* l : kLangues)
        if (premier == minuscules(std::string(l).substr(0, 2))) return l;
    return "";
}

}  // namespace

std::string langueVisiteur(const std::string& acceptLanguage) {
    std::string meilleure = "fr";
    double poidsMax = 0;
    size_t debut = 0;
    while (debut <= acceptLanguage.size()) {
        size_t fin = acceptLanguage.find(',', debut);
        if (fin == std::string::npos) fin = acceptLanguage.size();
        const std::string partie = acceptLanguage.substr(debut, fin - debut);
        debut = fin + 1;
        const size_t pv = partie.find(';');
        double poids = 1;
        if (pv != std::string::npos) {
            const std::string q = sansBlancs(partie.substr(pv + 1));
            poids = q.rfind("q=", 0) == 0 ? std::strtod(q.c_str() + 2, nullptr) : 0;
        }
        const std::string l = langueDuTag(sansBlancs(partie.substr(0, pv)));
        if (!l.empty() && poids > poidsMax) meilleure = l, poidsMax = poids;
    }
    return meilleure;
}

const std::string& languePages() { return langueEnCours; }

LanguePages::LanguePages(const std::string& langue) : m_avant(langueEnCours) { langueEnCours = langue; }
LanguePages::~LanguePages() { langueEnCours = m_avant; }

std::string textePage(const std::string& texte, const std::string& a, const std::string& b, const std::string& c) {
    std::string t = texte;
    for (int k = 0; k < kAutres && langueEnCours != "fr"; ++k) {
        if (langueEnCours != kLangues[k]) continue;
        for (const Texte& x : kTextes)
            if (texte == x.fr) t = x.autres[k];
    }
    const std::string* valeurs[] = {&a, &b, &c};
    for (int v = 0; v < 3; ++v) {
        const std::string marque = "%" + std::to_string(v + 1);
        for (size_t p = t.find(marque); p != std::string::npos; p = t.find(marque, p + valeurs[v]->size()))
            t.replace(p, marque.size(), *valeurs[v]);
    }
    return t;
}
