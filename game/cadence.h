// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_CADENCE_H
#define VORNA_CADENCE_H

#include <cstdint>

// The pace of a loop that runs steps of 1/30 s and draws frames at the
// display's own rate. Step k is due kPasParSeconde-ths of a second after the
// loop began; each frame runs the steps due by then (a few at most: past
// that the game slows down rather than fall ever further behind), then
// draws. Where frames come faster than steps, the picture goes smoothly from
// the step before to the last one (interpolation). Times are milliseconds of
// the seam's clock; nothing here reads a clock.
class Cadence {
public:
    // `imagesMax`: the most frames a second (0: no limit). Frames at 30 a
    // second or fewer show each step as it is, without interpolation.
    Cadence(uint32_t debut, int imagesMax);

    // The steps to run now; the caller runs them, in order.
    int pasDus(uint32_t maintenant);
    // Where the picture stands between the step before the last one run (0)
    // and the last one (1).
    double alpha(uint32_t maintenant) const;
    // How long to wait after a frame before the next one (the frame cap).
    uint32_t attente(uint32_t maintenant);
    // The steps run so far.
    long long pasFaits() const { return m_faits; }
    // When step `k` (from 0) is due, in milliseconds of the clock (rounded
    // up): an input that came at or before it belongs to that step, or to an
    // earlier one.
    uint32_t echeance(long long k) const;

    // The most steps one frame runs: a slower machine sees the game slow down.
    static constexpr int kPasParImageMax = 4;

private:
    // Times in thirds of a millisecond since `debut`, so that a step is
    // exactly 100 of them.
    long long tiers(uint32_t maintenant) const;

    uint32_t m_debut;
    int m_imagesMax;
    long long m_faits = 0;
    long long m_retard = 0;        // thirds of a millisecond given up when the machine fell behind
    double m_prochaineImage = 0;  // when the next frame is due, in thirds of a millisecond
};

// The frame cap of every loop of the game: from the player's settings (set
// at start-up), unless a test forced its own (−1 lifts it).
int imagesMax();
void fixerImagesMax(int n);
void forcerImagesMax(int n);
// Vertical sync as the settings ask (`synchro`), and frames at most
// `images` a second where the driver gives no sync: with sync, the screen
// paces them.
void appliquerCadence(bool synchro, int images);

#endif
