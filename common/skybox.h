// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SKYBOX_H
#define VORNA_SKYBOX_H

// The sky: a textured sphere of radius 500 drawn around the current origin.
class Skybox {
public:
    explicit Skybox(const char* file);
    ~Skybox();
    Skybox(const Skybox&) = delete;
    Skybox& operator=(const Skybox&) = delete;

    void dessiner();
    unsigned int getTexture() const { return m_texture1; }

private:
    unsigned int m_texture1;
};

#endif
