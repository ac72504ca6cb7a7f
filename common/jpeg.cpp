// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg.h"

#include <sys/mman.h>

#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

// libjpeg ends a decoding it cannot go on with through its error_exit:
// back to the setjmp in decoder(), with its message.
struct Erreur {
    jpeg_error_mgr mgr;
    std::jmp_buf saut;
    char message[JMSG_LENGTH_MAX] = "";
};

void sortir(j_common_ptr c) {
    Erreur* e = reinterpret_cast<Erreur*>(c->err);
    (*c->err->format_message)(c, e->message);
    std::longjmp(e->saut, 1);
}

void taire(j_common_ptr) {}  // warnings (a file cut short, grey to its end) are no failure

// New pages all mapped at once: touched one by one, each is a fault, and on
// a virtual machine a fault can cost 14 µs.
void preparer(unsigned char* p, std::size_t n) {
#ifdef MADV_POPULATE_WRITE
    const std::uintptr_t page = 4096, debut = (reinterpret_cast<std::uintptr_t>(p) + page - 1) & ~(page - 1);
    const std::uintptr_t fin = (reinterpret_cast<std::uintptr_t>(p) + n) & ~(page - 1);
    if (fin > debut) madvise(reinterpret_cast<void*>(debut), fin - debut, MADV_POPULATE_WRITE);
#else
    (void)p, (void)n;
#endif
}

// No object with a destructor lives in this frame past setjmp: a longjmp
// back here skips nothing.
bool decoder(std::FILE* f, ImageJpeg& image, Erreur& e) {
    jpeg_decompress_struct d;
    d.err = jpeg_std_error(&e.mgr);
    e.mgr.error_exit = sortir;
    e.mgr.output_message = taire;
    unsigned char* volatile pixels = nullptr;
    if (setjmp(e.saut)) {
        jpeg_destroy_decompress(&d);
        delete[] pixels;
        return false;
    }
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    const int l = static_cast<int>(d.output_width), h = static_cast<int>(d.output_height);
    if (l < 1 || h < 1 || l > 16384 || h > 16384 || d.output_components != 3) {
        std::snprintf(e.message, sizeof e.message, "%d x %d texels, %d channels: not a texture", l, h,
                      d.output_components);
        jpeg_destroy_decompress(&d);
        return false;
    }
    const std::size_t ligne = (static_cast<std::size_t>(l) * 3 + 3) / 4 * 4, taille = ligne * h;
    pixels = new unsigned char[taille];
    preparer(pixels, taille);
    while (d.output_scanline < d.output_height) {
        JSAMPROW rang = pixels + (h - 1 - static_cast<int>(d.output_scanline)) * ligne;
        jpeg_read_scanlines(&d, &rang, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    image.largeur = l, image.hauteur = h;
    image.pixels.reset(pixels);
    return true;
}

}  // namespace

LectureJpeg lireJpeg(const char* fichier, ImageJpeg& image, std::string& pourquoi) {
    std::FILE* f = std::fopen(fichier, "rb");
    if (!f) return pourquoi = std::strerror(errno), LectureJpeg::Illisible;
    unsigned char debut[3] = {0, 0, 0};
    const bool jpeg = std::fread(debut, 1, 3, f) == 3 && debut[0] == 0xFF && debut[1] == 0xD8 && debut[2] == 0xFF;
    if (!jpeg) {
        std::fclose(f);
        return LectureJpeg::PasJpeg;
    }
    std::rewind(f);
    Erreur e;
    const bool lue = decoder(f, image, e);
    std::fclose(f);
    if (!lue) pourquoi = e.message;
    return lue ? LectureJpeg::Lue : LectureJpeg::Illisible;
}
