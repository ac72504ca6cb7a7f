// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_REPERTOIRE_H
#define VORNA_REPERTOIRE_H

#include <string>
#include <vector>

// The names of the entries of `dossier` that contain `motif` anywhere
// ("." and ".." never do), in natural order (map2 before map10), so lists
// read the same on every machine. A missing folder gives an empty list.
std::vector<std::string> listerDossier(const std::string& dossier, const std::string& motif);

// The regular files of `dossier` (a link to one counts) whose names end in
// `fin` and hold more than it, in natural order: a backup "t.txt~" or
// "t.txt.bak", a folder or a FIFO named "x.txt" is no map. A missing folder
// gives an empty list.
std::vector<std::string> listerFichiers(const std::string& dossier, const std::string& fin);

// Natural order, as a person reads a list: without regard to case and to
// the accents of Latin letters ("map4.txt" after "Belvedere.txt", "été"
// before "f"), runs of digits compared by their value; names alike that way
// in their bytes' order.
bool ordreNaturel(const std::string& a, const std::string& b);

#endif
