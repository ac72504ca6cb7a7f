// SPDX-License-Identifier: GPL-3.0-or-later
#include "sons.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "image.h"

namespace atelier {

namespace {

constexpr double SR = FREQUENCE;

std::vector<float> vide(double secondes) { return std::vector<float>(size_t(secondes * SR), 0.0f); }

double midiEnHertz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A decaying sine partial added into `s` from `debut` seconds.
void partiel(std::vector<float>& s, double debut, double frequence, double amplitude, double decroissance,
             double attaque = 0.002) {
    size_t d = size_t(debut * SR);
    for (size_t k = 0; d + k < s.size(); ++k) {
        double t = k / SR;
        double env = amplitude * std::exp(-t / decroissance) * std::min(1.0, t / attaque);
        if (env < 1e-5 && t > attaque) break;
        s[d + k] += float(env * std::sin(2 * PI * frequence * t));
    }
}

// Two-pole resonant band-pass over white noise: a burst of coloured noise.
void bruitFiltre(std::vector<float>& s, double debut, double duree, double centre, double q, double amplitude,
                 double decroissance, uint64_t graine) {
    Alea alea(graine);
    double w = 2 * PI * centre / SR, alpha = std::sin(w) / (2 * q);
    double b0 = alpha, a0 = 1 + alpha, a1 = -2 * std::cos(w), a2 = 1 - alpha;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    size_t d = size_t(debut * SR), n = size_t(duree * SR);
    for (size_t k = 0; k < n && d + k < s.size(); ++k) {
        double x = alea.entre(-1, 1);
        double y = (b0 * x - b0 * x2 - a1 * y1 - a2 * y2) / a0;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        double t = k / SR;
        double fin = std::min(1.0, double(n - k) / (0.1 * n));  // no abrupt end
        s[d + k] += float(amplitude * y * std::exp(-t / decroissance) * std::min(1.0, t / 0.001) * fin);
    }
}

// Scales to the given peak and ramps both ends to silence.
std::vector<float> finir(std::vector<float> s, double crete, double fonduFin = 0.005) {
    double m = 0;
    for (float v : s) m = std::max(m, double(std::fabs(v)));
    if (m > 0)
        for (float& v : s) v = float(v * crete / m);
    size_t nf = std::min(s.size(), size_t(fonduFin * SR));
    for (size_t k = 0; k < nf; ++k) s[s.size() - 1 - k] *= float(double(k) / nf);
    return s;
}

// ---- the effects --------------------------------------------------------------

// Checkpoint: two strokes of a triangle, the second a fifth higher.
std::vector<float> triangle() {
    auto s = vide(1.6);
    const double rapports[] = {1.0, 2.76, 5.40, 8.93, 11.9};
    const double forces[] = {1.0, 0.5, 0.32, 0.2, 0.1};
    for (auto [debut, note, force] : {std::tuple{0.0, 88.0, 1.0}, std::tuple{0.13, 95.0, 0.85}}) {
        double f0 = midiEnHertz(note);
        for (int k = 0; k < 5; ++k) {
            double f = f0 * rapports[k];
            if (f > 18000) continue;
            partiel(s, debut, f, force * forces[k], 0.9 / (1 + k * 0.6));
            partiel(s, debut, f * 1.0023, force * forces[k] * 0.4, 0.7 / (1 + k * 0.6));  // a slow shimmer
        }
        bruitFiltre(s, debut, 0.01, 7000, 1.5, force * 0.5, 0.003, 1);
    }
    return finir(s, 0.75, 0.05);
}

// Impact: a knock on hard wood.
std::vector<float> bois() {
    auto s = vide(0.22);
    const double modes[][3] = {{410, 1.0, 0.045}, {1063, 0.55, 0.03}, {1880, 0.32, 0.018}, {2870, 0.2, 0.012}};
    for (auto& m : modes) partiel(s, 0, m[0], m[1], m[2], 0.0008);
    bruitFiltre(s, 0, 0.02, 2500, 0.8, 1.2, 0.003, 2);
    bruitFiltre(s, 0, 0.05, 650, 3.0, 0.8, 0.012, 3);
    return finir(s, 0.9, 0.01);
}

// Launch pad: a springy "boing" sweeping up.
std::vector<float> spring() {
    auto s = vide(0.75);
    double phase = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        double t = k / SR;
        double f = 150 + 420 * (1 - std::exp(-t / 0.12));
        f *= 1 + 0.09 * std::sin(2 * PI * 13 * t) * std::exp(-t / 0.35);
        phase += 2 * PI * f / SR;
        double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.22);
        double v = std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.15 * std::sin(3 * phase);
        s[k] += float(env * std::tanh(1.6 * v) * 0.8);
    }
    partiel(s, 0, 70, 0.9, 0.05, 0.002);  // the thump of the pad
    bruitFiltre(s, 0, 0.03, 3000, 1.0, 0.5, 0.006, 4);
    return finir(s, 0.85, 0.03);
}

// Metal clang: inharmonic, slightly beating partials.
std::vector<float> metal() {
    auto s = vide(1.3);
    const double f0 = 318;
    const double rapports[] = {1.0, 1.47, 2.09, 2.56, 3.37, 4.11, 5.3, 6.7};
    for (int k = 0; k < 8; ++k) {
        double a = 1.0 / (1 + 0.5 * k), d = 0.9 / (1 + 0.35 * k);
        partiel(s, 0, f0 * rapports[k], a, d, 0.0005);
        partiel(s, 0, f0 * rapports[k] * 1.004, a * 0.6, d * 0.8, 0.0005);
    }
    bruitFiltre(s, 0, 0.06, 4500, 0.7, 1.5, 0.01, 5);
    return finir(s, 0.8, 0.05);
}

// Falling: a whistle gliding down, with a breath of wind around its pitch.
std::vector<float> fall() {
    auto s = vide(1.5);
    double phase = 0;
    Alea alea(6);
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        double t = k / SR;
        double f = 1700 * std::pow(330.0 / 1700.0, t / 1.5);
        f *= 1 + 0.012 * std::sin(2 * PI * 6 * t);
        phase += 2 * PI * f / SR;
        double env = lisser(0.0, 0.06, t) * (1 - lisser(1.1, 1.5, t));
        // Band-pass noise centred on the whistle (biquad, Q = 6).
        double w = 2 * PI * f / SR, alpha = std::sin(w) / 12, a0 = 1 + alpha;
        double x = alea.entre(-1, 1);
        double y = (alpha * x - alpha * x2 + 2 * std::cos(w) * y1 - (1 - alpha) * y2) / a0;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        s[k] += float(env * (std::sin(phase) + 0.06 * std::sin(2 * phase) + 0.9 * y));
    }
    return finir(s, 0.6, 0.02);
}

// A brass-like tone: harmonics that brighten as the note swells.
void cuivre(std::vector<float>& s, double debut, double duree, double note, double force) {
    double f = midiEnHertz(note);
    size_t d = size_t(debut * SR), n = size_t((duree + 0.25) * SR);
    double phase = 0;
    for (size_t k = 0; k < n && d + k < s.size(); ++k) {
        double t = k / SR;
        double env = std::min(1.0, t / 0.03) * (t < duree ? 1.0 - 0.25 * (t / duree) : 0.75 * std::exp(-(t - duree) / 0.07));
        double eclat = 0.4 + 0.6 * std::min(1.0, t / 0.06);
        phase += 2 * PI * f * (1 + 0.004 * std::sin(2 * PI * 5.5 * t) * std::min(1.0, t / 0.3)) / SR;
        double v = 0;
        for (int h = 1; h <= 10; ++h) {
            if (f * h > 16000) break;
            v += std::sin(h * phase) * std::pow(eclat, h - 1) / h;
        }
        s[d + k] += float(force * env * v);
    }
}

// Finish: a short fanfare ending on a major chord, with a cymbal.
std::vector<float> arrivee() {
    auto s = vide(2.6);
    const double pas = 0.13;
    cuivre(s, 0 * pas, pas * 0.8, 67, 0.5);
    cuivre(s, 1 * pas, pas * 0.8, 72, 0.5);
    cuivre(s, 2 * pas, pas * 0.8, 76, 0.5);
    cuivre(s, 3 * pas, 1.3, 79, 0.55);
    cuivre(s, 3 * pas, 1.3, 76, 0.35);
    cuivre(s, 3 * pas, 1.3, 72, 0.35);
    cuivre(s, 3 * pas, 1.3, 60, 0.4);
    bruitFiltre(s, 3 * pas, 2.1, 6500, 0.7, 0.22, 0.4, 7);
    partiel(s, 3 * pas, 65.4, 0.8, 0.25, 0.003);
    return finir(s, 0.85, 0.08);
}

// Menu cursor: a light tick.
std::vector<float> cursor() {
    auto s = vide(0.06);
    partiel(s, 0, 1760, 1.0, 0.012, 0.0005);
    partiel(s, 0, 3520, 0.3, 0.006, 0.0005);
    return finir(s, 0.5);
}

// Menu confirmation: two rising notes.
std::vector<float> bouton() {
    auto s = vide(0.32);
    for (auto [debut, note] : {std::pair{0.0, 81.0}, std::pair{0.075, 88.0}}) {
        double f = midiEnHertz(note);
        partiel(s, debut, f, 1.0, 0.07, 0.004);
        partiel(s, debut, f * 2, 0.25, 0.04, 0.004);
        partiel(s, debut, f * 3, 0.12, 0.03, 0.004);
    }
    return finir(s, 0.6, 0.02);
}

}  // namespace

const std::vector<std::string>& nomsEffets() {
    static const std::vector<std::string> noms = {"triangle.wav", "bois.wav",    "spring.wav", "Effect.wav",
                                                  "fall.wav",     "arrivee.wav", "cursor.wav", "bouton.wav"};
    return noms;
}

std::vector<float> effet(const std::string& nom) {
    static const std::map<std::string, std::vector<float> (*)()> fabriques = {
        {"triangle.wav", triangle}, {"bois.wav", bois},       {"spring.wav", spring}, {"Effect.wav", metal},
        {"fall.wav", fall},         {"arrivee.wav", arrivee}, {"cursor.wav", cursor}, {"bouton.wav", bouton}};
    auto it = fabriques.find(nom);
    return it == fabriques.end() ? std::vector<float>() : it->second();
}

std::string encoderWav(const std::vector<float>& e, int canaux, int frequence) {
    const unsigned octets = unsigned(e.size() * 2);
    std::string s = "RIFF";
    mot32(s, 36 + octets);
    s += "WAVEfmt ";
    mot32(s, 16);
    mot16(s, 1);  // PCM
    mot16(s, unsigned(canaux));
    mot32(s, unsigned(frequence));
    mot32(s, unsigned(frequence * canaux * 2));
    mot16(s, unsigned(canaux * 2));
    mot16(s, 16);
    s += "data";
    mot32(s, octets);
    for (float v : e) mot16(s, unsigned(uint16_t(int16_t(std::lround(limiter(v, -1.0, 1.0) * 32767.0)))));
    return s;
}

}  // namespace atelier
