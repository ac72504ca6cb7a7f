// SPDX-License-Identifier: GPL-3.0-or-later
#include "traduction.h"

#include <cstdarg>
#include <cstdio>

const char* trContexte(const char* contexte, const char* texte) {
    // gettext's own form of a message with a context: the context, the
    // byte 4, the text.
    const std::string cle = std::string(contexte) + '\004' + texte;
    const char* t = gettext(cle.c_str());
    return t == cle.c_str() ? texte : t;
}

std::string formater(const char* format, ...) {
    va_list a, b;
    va_start(a, format);
    va_copy(b, a);
    const int n = std::vsnprintf(nullptr, 0, format, a);
    va_end(a);
    std::string r(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(r.data(), r.size() + 1, format, b);
    va_end(b);
    return r;
}
