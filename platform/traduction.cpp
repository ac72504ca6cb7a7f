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
    char buf[256];
    va_list a;
    va_start(a, format);
    std::vsnprintf(buf, sizeof buf, format, a);
    va_end(a);
    return buf;
}
