// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_DEUX_FACONS_H
#define VORNA_TEST_DEUX_FACONS_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "systeme_script.h"

// An activity (a run, a replay, a menu, an editing session) drawn twice with
// the same script, once the fast way and once the plain way (every object's
// own dessiner, see choisirDessinSimple), frame by frame.

// The input of an activity: scheduled before it starts (`debut`) and in
// reaction to each frame (`image`, given the frame number).
struct ScriptImages {
    std::function<void(SystemeScript&)> debut;
    std::function<void(SystemeScript&, int)> image;
};

// The digest of every frame of `activite`, drawn one way, from the same GL
// state (reinitialiserGL).
std::vector<uint64_t> empreintesImages(bool simple, const ScriptImages& script,
                                       const std::function<void()>& activite);

// GTest: both ways give the same frames, at least `framesMin` of them, alike
// but for at most 0.1 % of the pixels of any frame (the fast way may draw a
// surface with fewer primitives, which may cover a few edge pixels
// differently). The largest share seen in the test is printed when it ends
// and recorded as its property "ecart_max".
void memesImages(const ScriptImages& script, const std::function<void()>& activite,
                 const std::string& quoi, std::size_t framesMin);

#endif
