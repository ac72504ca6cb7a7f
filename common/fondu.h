// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FONDU_H
#define VORNA_FONDU_H

// The colour that tints the whole scene, stepped each frame during a fade.
class Fondu {
public:
    Fondu(int r, int g, int b) : m_r(r), m_g(g), m_b(b), m_fondu(false) {}

    // Add d to one component, only while the fade is on.
    void fR(int d) { if (m_fondu) m_r += d; }
    void fG(int d) { if (m_fondu) m_g += d; }
    void fB(int d) { if (m_fondu) m_b += d; }
    void setRGB(int r, int g, int b) { m_r = r; m_g = g; m_b = b; }
    void setF(bool f) { m_fondu = f; }
    bool getF() const { return m_fondu; }
    int getR() const { return m_r; }
    int getG() const { return m_g; }
    int getB() const { return m_b; }
    // Sets the colour as the current GL colour (each component modulo 256).
    void appliquer() const;

private:
    int m_r, m_g, m_b;
    bool m_fondu;
};

#endif
