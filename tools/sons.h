// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ATELIER_SONS_H
#define VORNA_ATELIER_SONS_H

// Sound effects and music, synthesised from code.

#include <string>
#include <vector>

namespace atelier {

constexpr int FREQUENCE = 44100;

// File names under data/sound/ of the effects ("triangle.wav" …).
const std::vector<std::string>& nomsEffets();
// One effect, mono, samples in [-1, 1]; empty for an unknown name.
std::vector<float> effet(const std::string& nom);
// A 16-bit PCM WAV file of interleaved samples in [-1, 1].
std::string encoderWav(const std::vector<float>& echantillons, int canaux, int frequence = FREQUENCE);

// A piece of music: interleaved stereo samples in [-1, 1], built to loop.
struct Piste {
    std::vector<float> echantillons;  // left, right, left, right …
    double secondes() const { return echantillons.size() / 2.0 / FREQUENCE; }
};
// "menu.mp3" (calm) or "ig.mp3" (the lively run music); empty for another name.
Piste musique(const std::string& nom);
// MP3 bytes of a piece (LAME, 128 kbit/s joint stereo, no tag frame).
std::string encoderMp3(const Piste& piste);

}  // namespace atelier

#endif
