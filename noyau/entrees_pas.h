// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_ENTREES_PAS_H
#define VORNA_ENTREES_PAS_H

#include <string>
#include <vector>

// What a player can do to a run, whatever key or button does it: the rules
// of a run see only these. The program turns its events into them (the arrow
// keys, Return, Escape and keypad 0, G, a pad's buttons, the window's close
// button or a signal, a pad unplugged).
enum class Touche : unsigned char {
    Haut,     // push forward (toward −x); up in the menus
    Bas,      // push back (toward +x); down in the menus
    Droite,   // push toward +y
    Gauche,   // push toward −y
    Entree,   // choose in the menus; go on after "Perdu !"
    Echap,    // pause or go on
    Course,   // hide or show the racing ghost
    Quitter,  // leave the run at once (the window closed, the program asked to end)
    Manette,  // a pad unplugged: the run pauses
};

// One press or release (Quitter and Manette are always presses).
struct Appui {
    Touche touche;
    bool enfoncee;
    bool operator==(const Appui& o) const { return touche == o.touche && enfoncee == o.enfoncee; }
};

// The presses and releases one step of a run handles, in the order they came.
using EntreesPas = std::vector<Appui>;

// The inputs of every step of a run, in order: with the level, all a run
// depends on. Kept as text, one step after the other, each ended by '.':
// a press is a capital letter (H Bas→B D G E X C Q M for Haut, Bas, Droite,
// Gauche, Entree, Echap, Course, Quitter, Manette), a release the small one;
// a run of n steps with nothing in them is written "n." (a single one ".").
// So "1." is ".", and "H.30.h." holds forward pressed, thirty quiet steps,
// then forward released. Any other character makes the text unreadable.
class Journal {
public:
    void ajouter(const EntreesPas& pas);
    size_t pas() const { return m_pas; }
    // The text described above (always in its shortest form).
    std::string texte() const;
    // Reads such a text; false (the journal emptied) when it is not one, or
    // holds more than `pasMax` steps.
    bool lire(const std::string& texte, size_t pasMax);
    // The steps' inputs in order, from the first: a reader walks through the
    // journal once (which must not change meanwhile).
    class Lecteur {
    public:
        explicit Lecteur(const Journal& j) : m_j(j) {}
        // The next step's inputs; false once every step has been read.
        bool suivant(EntreesPas& pas);

    private:
        const Journal& m_j;
        size_t m_pos = 0;
        size_t m_lus = 0;    // steps handed out
        size_t m_vides = 0;  // quiet steps still to hand out from a count
    };

private:
    void fermerVides();
    std::string m_texte;  // every step but the quiet ones at the end
    size_t m_vides = 0;   // quiet steps at the end, not yet written
    size_t m_pas = 0;
};

#endif
