// SPDX-License-Identifier: GPL-3.0-or-later
#include "fondu.h"

#include <GL/gl.h>

void Fondu::appliquer() const {
    glColor3ub(static_cast<GLubyte>(m_r & 0xFF), static_cast<GLubyte>(m_g & 0xFF),
               static_cast<GLubyte>(m_b & 0xFF));
}
