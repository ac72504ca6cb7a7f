// SPDX-License-Identifier: GPL-3.0-or-later
#include "jeton.h"

#include <sys/random.h>

#include <cerrno>
#include <stdexcept>

std::string nouveauJeton() {
    unsigned char octets[16];
    size_t lus = 0;
    while (lus < sizeof octets) {
        const ssize_t n = getrandom(octets + lus, sizeof octets - lus, 0);
        if (n < 0 && errno != EINTR) throw std::runtime_error("no random bytes for a token");
        if (n > 0) lus += static_cast<size_t>(n);
    }
    static const char kHex[] = "0123456789abcdef";
    std::string jeton;
    for (unsigned char o : octets) {
        jeton += kHex[o >> 4];
        jeton += kHex[o & 15];
    }
    return jeton;
}

bool formeDeJeton(const std::string& s) {
    if (s.size() != 32) return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}
