// SPDX-License-Identifier: GPL-3.0-or-later
// The two pieces of music, composed in code and played by a small synthesiser:
// FM electric piano, pads, plucked strings, basses, a flute, a lead and drums,
// with a stereo reverb. Each piece is rendered as a loop (note tails and the
// reverb wrap from the end onto the start) and both ends meet at silence, so
// the restart of the stream never clicks.

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "image.h"
#include "sons.h"

namespace atelier {

namespace {

constexpr double SR = FREQUENCE;

double hertz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

enum class Instrument { Piano, Nappe, Basse, BasseSynth, Pince, Flute, Lead, Cloche,
                        Kick, Caisse, CharleyFerme, CharleyOuvert, Crash, Shaker, Rim };

// Band-limited sawtooth (PolyBLEP) for the synthetic voices.
struct Scie {
    double phase = 0;
    double suivant(double f) {
        double dt = f / SR;
        phase += dt;
        if (phase >= 1) phase -= 1;
        double v = 2 * phase - 1;
        if (phase < dt) {
            double t = phase / dt;
            v -= t + t - t * t - 1;
        } else if (phase > 1 - dt) {
            double t = (phase - 1) / dt;
            v -= t * t + t + t + 1;
        }
        return v;
    }
};

// Chamberlin state-variable low-pass.
struct PasseBas {
    double bas = 0, bande = 0;
    double suivant(double x, double coupure, double q = 0.7) {
        double f = 2 * std::sin(PI * std::min(coupure, SR / 6) / SR);
        bas += f * bande;
        double haut = x - bas - bande / q;
        bande += f * haut;
        return bas;
    }
};

std::vector<float> voixBrute(Instrument ins, double note, double duree, double force, uint64_t graine);

// The samples of one note, from its onset; `duree` is the held time in
// seconds. The last 20 ms always fade to nothing, so no tail ends on a step.
std::vector<float> voix(Instrument ins, double note, double duree, double force, uint64_t graine) {
    std::vector<float> s = voixBrute(ins, note, duree, force, graine);
    size_t n = std::min(s.size(), size_t(0.02 * SR));
    for (size_t k = 0; k < n; ++k) s[s.size() - 1 - k] *= float(double(k) / n);
    return s;
}

std::vector<float> voixBrute(Instrument ins, double note, double duree, double force, uint64_t graine) {
    const double f = hertz(note);
    Alea alea(graine);
    auto tampon = [&](double queue) { return std::vector<float>(size_t((duree + queue) * SR), 0.0f); };
    // Attack, then hold, then an exponential release after the held time.
    auto enveloppe = [&](double t, double attaque, double relache) {
        double a = std::min(1.0, t / attaque);
        return t < duree ? a : a * std::exp(-(t - duree) / relache);
    };
    switch (ins) {
        case Instrument::Piano: {
            auto s = tampon(0.6);
            double tenue = 1.6 * std::pow(2.0, -(note - 60) / 24.0);
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double indice = 0.25 + 1.6 * std::exp(-t / 0.22);
                double m = std::sin(2 * PI * f * t);
                double v = std::sin(2 * PI * f * t + indice * m) +
                           0.12 * std::sin(2 * PI * f * 7.0 * t) * std::exp(-t / 0.03);
                s[k] = float(force * v * enveloppe(t, 0.003, 0.18) * std::exp(-t / tenue));
            }
            return s;
        }
        case Instrument::Nappe: {
            auto s = tampon(2.0);
            Scie a, b, c;
            a.phase = alea.reel();
            b.phase = alea.reel();
            c.phase = alea.reel();
            PasseBas lp;
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double v = a.suivant(f) + b.suivant(f * 1.0045) + c.suivant(f * 0.9952);
                v = lp.suivant(v / 3, 700 + 500 * (0.5 + 0.5 * std::sin(2 * PI * 0.25 * t)));
                v += 0.3 * std::sin(2 * PI * f * 0.5 * t);
                s[k] = float(force * v * enveloppe(t, 0.45, 0.5));
            }
            return s;
        }
        case Instrument::Basse: {
            auto s = tampon(0.35);
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double v = std::sin(2 * PI * f * t) + 0.25 * std::sin(4 * PI * f * t) * std::exp(-t / 0.2);
                double env = enveloppe(t, 0.006, 0.06) * (0.7 + 0.3 * std::exp(-t / 0.25));
                s[k] = float(force * std::tanh(1.3 * v) * env);
            }
            return s;
        }
        case Instrument::BasseSynth: {
            auto s = tampon(0.2);
            Scie a;
            PasseBas lp;
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double v = a.suivant(f) * 0.7 + 0.6 * std::sin(2 * PI * f * t);
                v = lp.suivant(v, 380 + 1700 * std::exp(-t / 0.09));
                s[k] = float(force * 1.4 * v * enveloppe(t, 0.003, 0.035));
            }
            return s;
        }
        case Instrument::Pince: {
            // Karplus-Strong string: a noise burst circulating in a delay line
            // through a two-tap average. The average delays by half a sample,
            // so the line is read half a sample short of the period, with
            // linear interpolation, and the string stays in tune.
            auto s = tampon(0.9);
            const double periode = SR / f, retard = periode - 0.5;
            const size_t taille = size_t(periode) + 4;
            std::vector<double> ligne(taille, 0.0);
            double prec = 0;
            for (size_t k = 0; k < size_t(periode); ++k) {
                double x = alea.entre(-1, 1);
                ligne[k] = 0.5 * (x + prec);  // a softer pluck
                prec = x;
            }
            size_t ecriture = size_t(periode) % taille;
            auto lire = [&](double r) {
                double p = double(ecriture) - r;
                while (p < 0) p += double(taille);
                size_t i0 = size_t(p) % taille, i1 = (i0 + 1) % taille;
                double t = p - std::floor(p);
                return ligne[i0] * (1 - t) + ligne[i1] * t;
            };
            const double perte = std::pow(0.5, 1.0 / (f * 0.6));  // halves in about 0.6 s
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double a = lire(retard), b = lire(retard + 1);
                double sortie = 0.5 * (a + b) * perte;
                if (t > duree) sortie *= 0.9993;  // damped once released
                ligne[ecriture] = sortie;
                ecriture = (ecriture + 1) % taille;
                s[k] = float(force * 1.6 * a * std::min(1.0, t / 0.002));
            }
            return s;
        }
        case Instrument::Flute: {
            auto s = tampon(0.6);
            PasseBas souffle;
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double vib = 1 + 0.005 * std::sin(2 * PI * 5.0 * t) * lisser(0.2, 0.5, t);
                double p = 2 * PI * f * t * vib;
                double v = std::sin(p) + 0.18 * std::sin(2 * p) + 0.05 * std::sin(3 * p);
                v += 0.12 * souffle.suivant(alea.entre(-1, 1), f * 2, 2.0) * std::exp(-t / 0.15);
                s[k] = float(force * v * enveloppe(t, 0.06, 0.12));
            }
            return s;
        }
        case Instrument::Lead: {
            auto s = tampon(0.35);
            Scie a, b;
            PasseBas lp;
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double vib = 1 + 0.006 * std::sin(2 * PI * 5.5 * t) * lisser(0.18, 0.4, t);
                double v = a.suivant(f * vib) - b.suivant(f * vib * 1.003 + 0.0) * 0.6;
                v += 0.5 * std::sin(2 * PI * f * t);
                v = lp.suivant(v, 2600 + 1800 * std::exp(-t / 0.08));
                s[k] = float(force * 0.7 * v * enveloppe(t, 0.008, 0.07));
            }
            return s;
        }
        case Instrument::Cloche: {
            auto s = tampon(1.8);
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double m = std::sin(2 * PI * f * 3.5 * t) * 2.2 * std::exp(-t / 0.5);
                s[k] = float(force * std::sin(2 * PI * f * t + m) * std::exp(-t / 0.7) * std::min(1.0, t / 0.002));
            }
            return s;
        }
        case Instrument::Kick: {
            auto s = tampon(0.35);
            double phase = 0;
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                phase += 2 * PI * (48 + 120 * std::exp(-t / 0.035)) / SR;
                double v = std::sin(phase) * std::exp(-t / 0.22) + alea.entre(-0.4, 0.4) * std::exp(-t / 0.002);
                s[k] = float(force * std::tanh(1.5 * v));
            }
            return s;
        }
        case Instrument::Caisse: {
            auto s = tampon(0.25);
            double prec = 0;
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double x = alea.entre(-1, 1);
                double haut = x - prec;  // a first difference tilts the noise bright
                prec = x;
                double v = 0.55 * std::sin(2 * PI * 188 * t) * std::exp(-t / 0.05) +
                           0.6 * (0.6 * x + 0.5 * haut) * std::exp(-t / 0.11);
                s[k] = float(force * v * std::min(1.0, t / 0.001));
            }
            return s;
        }
        case Instrument::CharleyFerme:
        case Instrument::CharleyOuvert:
        case Instrument::Crash:
        case Instrument::Shaker: {
            double chute = ins == Instrument::CharleyFerme ? 0.035 : ins == Instrument::CharleyOuvert ? 0.25
                         : ins == Instrument::Crash ? 1.1 : 0.05;
            auto s = std::vector<float>(size_t((chute * 5 + 0.01) * SR), 0.0f);
            double p1 = 0, p2 = 0;
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double x = alea.entre(-1, 1);
                double h1 = x - p1;  // two first differences: a steep high-pass
                p1 = x;
                double h2 = 0.6 * h1 + 0.4 * (h1 - p2);  // bright, not harsh
                p2 = h1;
                double attaque = ins == Instrument::Shaker ? std::min(1.0, t / 0.012) : std::min(1.0, t / 0.0005);
                double v = h2 * 0.5;
                if (ins == Instrument::Crash) v += 0.15 * std::sin(2 * PI * 3150 * t) * std::sin(2 * PI * 4700 * t);
                s[k] = float(force * v * attaque * std::exp(-t / chute));
            }
            return s;
        }
        case Instrument::Rim: {
            auto s = std::vector<float>(size_t(0.08 * SR), 0.0f);
            for (size_t k = 0; k < s.size(); ++k) {
                double t = k / SR;
                double v = std::sin(2 * PI * 1650 * t) * std::exp(-t / 0.012) + alea.entre(-0.5, 0.5) * std::exp(-t / 0.004);
                s[k] = float(force * v);
            }
            return s;
        }
    }
    return {};
}

// Freeverb-style stereo reverb.
class Reverb {
public:
    Reverb() {
        const int peignes[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
        const int passes[] = {556, 441, 341, 225};
        for (int c = 0; c < 2; ++c) {
            for (int n : peignes) m_peignes[c].push_back({std::vector<double>(size_t(n + 23 * c), 0.0), 0, 0.0});
            for (int n : passes) m_passes[c].push_back({std::vector<double>(size_t(n + 23 * c), 0.0), 0, 0.0});
        }
    }
    void traiter(double entree, double& g, double& d) {
        double* sorties[2] = {&g, &d};
        for (int c = 0; c < 2; ++c) {
            double s = 0;
            for (Ligne& p : m_peignes[c]) {
                double y = p.tampon[p.pos];
                p.filtre = y * 0.8 + p.filtre * 0.2;
                p.tampon[p.pos] = entree * 0.015 + p.filtre * 0.86;
                p.pos = (p.pos + 1) % p.tampon.size();
                s += y;
            }
            for (Ligne& p : m_passes[c]) {
                double y = p.tampon[p.pos];
                p.tampon[p.pos] = s + y * 0.5;
                p.pos = (p.pos + 1) % p.tampon.size();
                s = y - s;
            }
            *sorties[c] = s;
        }
    }
private:
    struct Ligne { std::vector<double> tampon; size_t pos; double filtre; };
    std::vector<Ligne> m_peignes[2], m_passes[2];
};

// A piece being written: notes placed by beat, mixed into a looping buffer.
class Studio {
public:
    Studio(double bpm, int mesures) : m_bpm(bpm) {
        m_longueur = size_t(std::lround(mesures * 4 * 60.0 / bpm * SR));
        m_g.assign(m_longueur, 0.0);
        m_d.assign(m_longueur, 0.0);
        m_envoi.assign(m_longueur, 0.0);
    }
    // A note at `temps` beats for `duree` beats; pan −1 left … 1 right.
    void jouer(Instrument ins, double temps, double duree, double note, double force, double pan = 0,
               double envoi = 0.2) {
        double secondes = temps * 60.0 / m_bpm;
        size_t debut = size_t(std::lround(secondes * SR));
        uint64_t graine = uint64_t(debut) * 31 + uint64_t(ins) * 7 + uint64_t(note * 16);
        std::vector<float> s = voix(ins, note, duree * 60.0 / m_bpm, force, graine);
        double gg = std::cos((pan + 1) * PI / 4), gd = std::sin((pan + 1) * PI / 4);
        for (size_t k = 0; k < s.size(); ++k) {
            size_t i = (debut + k) % m_longueur;  // tails wrap onto the start
            m_g[i] += s[k] * gg;
            m_d[i] += s[k] * gd;
            m_envoi[i] += s[k] * envoi;
        }
    }
    Piste mixer(double humide) {
        // Two rounds through the reverb: the second starts with the tail of
        // the first, as it does when the piece loops.
        Reverb r;
        std::vector<double> rg(m_longueur), rd(m_longueur);
        for (int tour = 0; tour < 2; ++tour)
            for (size_t k = 0; k < m_longueur; ++k) r.traiter(m_envoi[k], rg[k], rd[k]);
        Piste p;
        p.echantillons.resize(m_longueur * 2);
        double crete = 0;
        for (size_t k = 0; k < m_longueur; ++k) {
            double g = m_g[k] + humide * rg[k], d = m_d[k] + humide * rd[k];
            p.echantillons[2 * k] = float(g);
            p.echantillons[2 * k + 1] = float(d);
            crete = std::max({crete, std::fabs(g), std::fabs(d)});
        }
        // Peak at -1.5 dB, leaving room for the encoder's ripple; 60 ms
        // raised-cosine fades at both ends meet the silence of the restart.
        double gain = crete > 0 ? 0.84 / crete : 0.0;
        size_t fondu = size_t(0.06 * SR);
        for (size_t k = 0; k < m_longueur; ++k) {
            double f = 1;
            if (k < fondu) f = 0.5 - 0.5 * std::cos(PI * k / fondu);
            if (m_longueur - 1 - k < fondu) f = 0.5 - 0.5 * std::cos(PI * (m_longueur - 1 - k) / fondu);
            p.echantillons[2 * k] = float(p.echantillons[2 * k] * gain * f);
            p.echantillons[2 * k + 1] = float(p.echantillons[2 * k + 1] * gain * f);
        }
        return p;
    }
private:
    double m_bpm;
    size_t m_longueur;
    std::vector<double> m_g, m_d, m_envoi;
};

// A melody written as (note, beats) pairs; a note of 0 is a rest.
struct Ton { double note, duree; };
double ecrire(Studio& s, Instrument ins, double temps, const std::vector<Ton>& tons, double force, double pan,
              double envoi, double transposition = 0, double legato = 0.92) {
    for (const Ton& t : tons) {
        if (t.note > 0) s.jouer(ins, temps, t.duree * legato, t.note + transposition, force, pan, envoi);
        temps += t.duree;
    }
    return temps;
}

// ---- "menu.mp3": calm, D major, 84 beats a minute, 16 bars ---------------------

Piste menu() {
    Studio s(84, 16);
    struct Accord { double basse; std::vector<double> voix; };
    const Accord dmaj9{38, {54, 57, 61, 64}}, fism7{42, {57, 61, 64, 66}}, gmaj7{43, {55, 59, 62, 66}},
        em7{40, {55, 59, 62, 64}}, bm7{35, {54, 57, 62, 66}}, a7sus{45, {57, 62, 64, 67}}, a7{45, {57, 61, 64, 67}};
    const std::vector<const Accord*> grille = {&dmaj9, &fism7, &gmaj7, &em7, &bm7, &fism7, &gmaj7, &a7sus};
    for (int m = 0; m < 16; ++m) {
        const Accord& a = *grille[size_t(m % 8)];
        double t0 = m * 4.0;
        // Pad: the chord held through the bar.
        for (double n : a.voix) s.jouer(Instrument::Nappe, t0, 3.9, n, 0.07, 0, 0.5);
        // Electric piano: a slow rocking arpeggio an octave up.
        const int motif[] = {0, 2, 1, 3, 2, 1, 3, 2};
        const Accord& arp = (m % 8 == 7) ? (m == 15 ? a7 : a7sus) : a;
        for (int k = 0; k < 8; ++k) {
            double pan = (k % 2) ? 0.35 : -0.35;
            double force = (k % 4 == 0) ? 0.2 : 0.14;
            s.jouer(Instrument::Piano, t0 + k * 0.5, 0.6, arp.voix[size_t(motif[k])] + 12, force, pan, 0.35);
        }
        // Bass: root, then a walk to the fifth.
        s.jouer(Instrument::Basse, t0, 2.7, a.basse, 0.5, 0, 0.05);
        s.jouer(Instrument::Basse, t0 + 3, 0.9, a.basse + 7, 0.4, 0, 0.05);
        // Brushed percussion in the second half.
        if (m >= 8) {
            s.jouer(Instrument::Kick, t0, 0.5, 36, 0.45, 0, 0.05);
            s.jouer(Instrument::Kick, t0 + 2.5, 0.5, 36, 0.3, 0, 0.05);
            s.jouer(Instrument::Rim, t0 + 1, 0.2, 60, 0.16, 0.2, 0.3);
            s.jouer(Instrument::Rim, t0 + 3, 0.2, 60, 0.16, 0.2, 0.3);
            for (int k = 0; k < 8; ++k)
                s.jouer(Instrument::Shaker, t0 + k * 0.5, 0.2, 60, (k % 2) ? 0.08 : 0.05, -0.4, 0.2);
        }
    }
    // The tune, first plainly, then varied with a bell answering.
    const std::vector<Ton> chant1 = {
        {78, 1.5}, {76, 0.5}, {74, 1}, {69, 1},   {73, 1.5}, {74, 0.5}, {76, 2},
        {74, 1}, {71, 1}, {74, 0.5}, {78, 1.5},   {76, 3}, {0, 1},
        {78, 1}, {81, 1}, {78, 0.5}, {76, 0.5}, {74, 1},   {73, 1.5}, {69, 0.5}, {73, 1}, {76, 1},
        {74, 1}, {71, 1}, {67, 1}, {71, 1},       {69, 3}, {0, 1}};
    const std::vector<Ton> chant2 = {
        {81, 1.5}, {78, 0.5}, {76, 1}, {74, 1},   {76, 1.5}, {78, 0.5}, {73, 2},
        {71, 1}, {74, 1}, {79, 1}, {78, 1},       {76, 2}, {74, 1}, {76, 1},
        {78, 1.5}, {74, 0.5}, {71, 1}, {74, 1},   {73, 1}, {76, 1}, {81, 2},
        {79, 1}, {78, 1}, {76, 1}, {74, 1},       {76, 2}, {0, 2}};
    ecrire(s, Instrument::Flute, 0, chant1, 0.3, 0.1, 0.4);
    ecrire(s, Instrument::Flute, 32, chant2, 0.3, 0.1, 0.4);
    const std::vector<Ton> reponse = {{0, 3}, {86, 1}, {0, 4}, {0, 3}, {88, 1}, {0, 4},
                                      {0, 3}, {85, 1}, {0, 4}, {0, 2}, {83, 1}, {81, 1}};
    ecrire(s, Instrument::Cloche, 32, reponse, 0.12, -0.5, 0.6);
    return s.mixer(0.9);
}

// ---- "ig.mp3": lively, A minor, 132 beats a minute, 32 bars -------------------

Piste enJeu() {
    Studio s(132, 32);
    struct Accord { double basse; std::vector<double> triade; };
    const Accord am{45, {57, 60, 64}}, f{41, {53, 57, 60}}, c{48, {55, 60, 64}}, g{43, {55, 59, 62}},
        em{40, {52, 55, 59}}, esus{40, {52, 57, 59}}, e{40, {52, 56, 59}};
    std::vector<const Accord*> grille;
    for (int k = 0; k < 6; ++k) grille.insert(grille.end(), {&am, &f, &c, &g});
    grille.insert(grille.end(), {&f, &g, &em, &am, &f, &g, &esus, &e});
    for (int m = 0; m < 32; ++m) {
        const Accord& a = *grille[size_t(m)];
        double t0 = m * 4.0;
        bool pont = m >= 24;
        // Driving eighth-note bass with octave leaps.
        const double motifBasse[] = {0, 0, 12, 0, 0, 12, 0, 10};
        for (int k = 0; k < 8; ++k) {
            double n = a.basse + (k == 7 && m % 4 == 3 ? 10 : motifBasse[k]);
            s.jouer(Instrument::BasseSynth, t0 + k * 0.5, 0.42, n - 12, (k % 2) ? 0.42 : 0.52, 0, 0.02);
        }
        // Plucked sixteenth-note arpeggio, left and right.
        const int motif[] = {0, 1, 2, 3, 2, 1, 0, 1, 2, 4, 5, 4, 2, 1, 2, 1};
        for (int k = 0; k < 16; ++k) {
            int i = motif[k];
            double n = a.triade[size_t(i % 3)] + 12 * (i / 3) + 12;
            double force = (k % 4 == 0 ? 0.2 : 0.13) * (m >= 8 && m < 24 ? 0.7 : 1.0);
            s.jouer(Instrument::Pince, t0 + k * 0.25, 0.22, n, force, (k % 2) ? 0.45 : -0.45, 0.25);
        }
        // Pad from the second section on.
        if (m >= 8)
            for (double n : a.triade) s.jouer(Instrument::Nappe, t0, 3.9, n, pont ? 0.07 : 0.05, 0, 0.4);
        // Drums: kick on one, the "and" of two and three; snare on two and four.
        for (double k : {0.0, 1.5, 2.0}) s.jouer(Instrument::Kick, t0 + k, 0.5, 36, 0.75, 0, 0.03);
        if (m % 8 == 7) {
            s.jouer(Instrument::Caisse, t0 + 1, 0.3, 60, 0.5, 0.1, 0.25);
            for (int k = 0; k < 8; ++k)  // a fill into the next section
                s.jouer(Instrument::Caisse, t0 + 2 + k * 0.25, 0.2, 60, 0.22 + 0.04 * k, 0.1, 0.25);
        } else {
            s.jouer(Instrument::Caisse, t0 + 1, 0.3, 60, 0.5, 0.1, 0.25);
            s.jouer(Instrument::Caisse, t0 + 3, 0.3, 60, 0.5, 0.1, 0.25);
        }
        for (int k = 0; k < 8; ++k) {
            bool ouvert = k == 7 && m % 2 == 1;
            s.jouer(ouvert ? Instrument::CharleyOuvert : Instrument::CharleyFerme, t0 + k * 0.5, 0.2, 60,
                    (k % 2) ? 0.07 : 0.11, 0.3, 0.1);
        }
        if (m % 8 == 0) s.jouer(Instrument::Crash, t0, 2, 60, 0.1, -0.3, 0.3);
    }
    // The lead tune: a phrase answered, then repeated with a harmony, then a bridge.
    const std::vector<Ton> phrase = {
        {76, 0.5}, {81, 0.5}, {79, 0.5}, {76, 0.5}, {74, 0.5}, {76, 1}, {72, 0.5},
        {72, 0.5}, {74, 0.5}, {76, 0.5}, {77, 1}, {76, 0.5}, {74, 0.5}, {72, 0.5},
        {76, 1}, {79, 0.5}, {76, 0.5}, {72, 1}, {74, 0.5}, {76, 0.5},
        {74, 1.5}, {71, 0.5}, {67, 1}, {0, 1},
        {76, 0.5}, {81, 0.5}, {79, 0.5}, {76, 0.5}, {74, 0.5}, {76, 1}, {81, 0.5},
        {84, 1}, {81, 0.5}, {77, 0.5}, {81, 1}, {79, 0.5}, {77, 0.5},
        {76, 0.5}, {79, 0.5}, {84, 1}, {83, 0.5}, {81, 0.5}, {79, 1},
        {83, 1.5}, {81, 0.5}, {79, 1}, {74, 1}};
    // The harmony a diatonic third below, in A minor.
    auto tierceDessous = [](double n) {
        const int gamme[] = {0, 2, 3, 5, 7, 8, 10};  // A B C D E F G from A
        int rel = int(n) - 57, octave = (rel >= 0 ? rel / 12 : (rel - 11) / 12), pas = rel - 12 * octave;
        int degre = 0;
        for (int k = 0; k < 7; ++k)
            if (gamme[k] <= pas) degre = k;
        int d = degre - 2, o = octave;
        if (d < 0) { d += 7; o -= 1; }
        return 57.0 + 12 * o + gamme[d];
    };
    std::vector<Ton> harmonie;
    for (const Ton& t : phrase) harmonie.push_back({t.note > 0 ? tierceDessous(t.note) : 0.0, t.duree});
    ecrire(s, Instrument::Lead, 32, phrase, 0.3, 0.05, 0.3);
    ecrire(s, Instrument::Lead, 64, phrase, 0.27, -0.15, 0.3);
    ecrire(s, Instrument::Lead, 64, harmonie, 0.17, 0.35, 0.35);
    const std::vector<Ton> pont = {
        {81, 2}, {79, 1}, {77, 1},   {79, 2}, {74, 2},   {76, 1.5}, {79, 0.5}, {83, 2},   {81, 3}, {0, 1},
        {77, 1}, {81, 1}, {84, 2},   {83, 1}, {81, 1}, {79, 1}, {83, 1},   {81, 2}, {80, 2},
        {83, 1}, {80, 1}, {76, 1}, {0, 1}};
    ecrire(s, Instrument::Lead, 96, pont, 0.3, 0.05, 0.35);
    ecrire(s, Instrument::Cloche, 96, pont, 0.06, -0.4, 0.5, -12);
    return s.mixer(0.7);
}

}  // namespace

Piste musique(const std::string& nom) {
    if (nom == "menu.mp3") return menu();
    if (nom == "ig.mp3") return enJeu();
    return {};
}

std::string encoderMp3(const Piste& piste) {
    lame_global_flags* lame = lame_init();
    if (!lame) throw std::runtime_error("LAME cannot start");
    lame_set_in_samplerate(lame, FREQUENCE);
    lame_set_out_samplerate(lame, FREQUENCE);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_brate(lame, 128);
    lame_set_VBR(lame, vbr_off);
    lame_set_quality(lame, 3);
    lame_set_bWriteVbrTag(lame, 0);  // a tag frame would play as a frame of silence
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        throw std::runtime_error("LAME refuses its settings");
    }
    const size_t n = piste.echantillons.size() / 2;
    std::vector<short> pcm(n * 2);
    for (size_t k = 0; k < n * 2; ++k)
        pcm[k] = short(std::lround(limiter(piste.echantillons[k], -1.0, 1.0) * 32767.0));
    std::string sortie;
    const size_t bloc = 8192;
    std::vector<unsigned char> mp3(bloc * 5 / 4 + 7200);
    for (size_t k = 0; k < n; k += bloc) {
        int m = int(std::min(bloc, n - k));
        int octets = lame_encode_buffer_interleaved(lame, pcm.data() + k * 2, m, mp3.data(), int(mp3.size()));
        if (octets < 0) {
            lame_close(lame);
            throw std::runtime_error("LAME failed to encode");
        }
        sortie.append(reinterpret_cast<const char*>(mp3.data()), size_t(octets));
    }
    int octets = lame_encode_flush(lame, mp3.data(), int(mp3.size()));
    if (octets > 0) sortie.append(reinterpret_cast<const char*>(mp3.data()), size_t(octets));
    lame_close(lame);
    return sortie;
}

}  // namespace atelier
