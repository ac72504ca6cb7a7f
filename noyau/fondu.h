// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_FONDU_H
#define VORNA_FONDU_H

// The colour that tints the whole scene, stepped during a fade.
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
    // One step of a fade to black: each component above 4 goes down by 5 (the
    // fade is switched on). False once red is down to 4 or less: the fade is over.
    bool assombrir() {
        m_fondu = true;
        const bool encore = m_r > 4;
        if (m_r > 4) fR(-5);
        if (m_g > 4) fG(-5);
        if (m_b > 4) fB(-5);
        return encore;
    }
    // Sets the colour as the current GL colour (each component modulo 256);
    // defined by the programs that draw.
    void appliquer() const;

private:
    int m_r, m_g, m_b;
    bool m_fondu;
};

#endif
