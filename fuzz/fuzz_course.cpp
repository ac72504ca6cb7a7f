// SPDX-License-Identifier: GPL-3.0-or-later
// A run as the score server receives it: any bytes are either refused, with
// a reason and nothing kept, or read into a run that encodes back to the
// very same bytes; such a run, played on a small course within a bound on
// steps, always gets a verdict.
#include <string>

#include "course.h"
#include "memoire.h"
#include "verification.h"

namespace {

const char kCourse[] = "@1,0,0,2,3,1,1,1,0,0,0,boule\n@1,0,0,0,0,4,4,1,0,0,0,sol\n@4,-12,0,0,0,4,4,1,0,0,0,fin\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    Course c;
    std::string pourquoi;
    if (!decoderCourse(texte, c, pourquoi)) {
        exiger(!pourquoi.empty() && c == Course(), "a refused run says why and leaves nothing");
        return 0;
    }
    exiger(encoderCourse(c) == texte, "a run read encodes back to the same bytes");
    exiger(c.entrees.pas() <= kPasCourseMax && c.chrono <= static_cast<long long>(c.entrees.pas()),
           "within the bounds of a run");
    const Verification v = verifierCourse(c, kCourse, departCourse(c.niveau > 0 ? 1000 : 0), 5000);
    exiger(v.simulation != nullptr, "the small course is read");
    exiger(v.verdict != Verification::Verifiee || v.simulation->sorties().arrivee, "verified at the finish");
    return 0;
}
