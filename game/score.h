#ifndef VORNA_SCORE_H
#define VORNA_SCORE_H

#include <string>

// The score server the finished runs are sent to.
extern const char* const kServeurScore;

// The score page of a finished scenario run:
// http://<server>/writescorevorna.php?act=2&score=S&map=L&v=14&a=L×S
std::string urlScore(int score, unsigned int niveau);

// The player's progress: the highest unlocked scenario level.
extern const char* const kFichierProgression;  // "data/joueur/niveau.txt"

#endif
