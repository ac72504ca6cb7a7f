#include "score.h"

#include <cstdint>

const char* const kServeurScore = "www.vorna-game.org";
const char* const kFichierProgression = "data/joueur/niveau.txt";

std::string urlScore(int score, unsigned int niveau) {
    // The check field is the 32-bit signed product of level and points.
    const int64_t produit = static_cast<int64_t>(niveau) * score;
    const int32_t controle = static_cast<int32_t>(static_cast<uint32_t>(produit & 0xFFFFFFFF));
    return std::string("http://") + kServeurScore + "/writescorevorna.php?act=2&score=" +
           std::to_string(score) + "&map=" + std::to_string(niveau) + "&v=14" + "&a=" +
           std::to_string(controle);
}
