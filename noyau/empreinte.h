// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EMPREINTE_H
#define VORNA_EMPREINTE_H

#include <string>

// The SHA-256 of `octets`, as 64 lower-case hexadecimal digits: how a level
// is known by its bytes, whatever its file is called.
std::string empreinte(const std::string& octets);

#endif
