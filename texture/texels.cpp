#include "texels.h"

#include <cerrno>
#include <cstring>

#include "mot.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_FAILURE_USERMSG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace texels {

uint16_t table[OCTETSMAX / 2];
int largeur, hauteur;

uint16_t texel(unsigned rouge, unsigned vert, unsigned bleu, unsigned alpha) {
    const auto cinq = [](unsigned c) { return (c * 31 + 127) / 255; };
    return static_cast<uint16_t>(cinq(rouge) | cinq(vert) << 5 | cinq(bleu) << 10 |
                                 (alpha >= 128 ? 1u << 15 : 0u));
}

namespace {

bool cote(int n) {
    return n >= COTEMIN && n <= COTEMAX && (n & (n - 1)) == 0;
}

} // namespace

bool lire(const char *nom, char *raison, size_t taille) {
    FILE *f = ouvrirlecture(nom);
    if (f == nullptr) {
        std::snprintf(raison, taille, "%s : %s", nom, std::strerror(errno));
        return false;
    }
    int l = 0, h = 0, canaux = 0;
    // The size first, from the header: an image too big for the DS is never decoded.
    if (stbi_info_from_file(f, &l, &h, &canaux) == 0) {
        std::snprintf(raison, taille, "%s : pas une image lisible (PNG, BMP, TGA, JPEG) : %s", nom,
                      stbi_failure_reason());
        std::fclose(f);
        return false;
    }
    if (!cote(l) || !cote(h) || 2L * l * h > OCTETSMAX) {
        std::snprintf(raison, taille,
                      "%s : %d x %d : les cotes d'une texture de la DS sont des puissances de deux "
                      "de %d a %d, et elle tient dans ses %ld Kio de memoire de textures",
                      nom, l, h, COTEMIN, COTEMAX, OCTETSMAX / 1024);
        std::fclose(f);
        return false;
    }
    unsigned char *pixels = stbi_load_from_file(f, &l, &h, &canaux, 4);
    std::fclose(f);
    if (pixels == nullptr) {
        std::snprintf(raison, taille, "%s : image illisible : %s", nom, stbi_failure_reason());
        return false;
    }
    largeur = l;
    hauteur = h;
    for (long i = 0; i < static_cast<long>(l) * h; ++i) {
        const unsigned char *p = pixels + 4 * i;
        table[i] = texel(p[0], p[1], p[2], p[3]);
    }
    stbi_image_free(pixels);
    return true;
}

const char *constante(int n) {
    static const char *const noms[] = {"TEXTURE_SIZE_8",   "TEXTURE_SIZE_16",  "TEXTURE_SIZE_32",
                                       "TEXTURE_SIZE_64",  "TEXTURE_SIZE_128", "TEXTURE_SIZE_256",
                                       "TEXTURE_SIZE_512", "TEXTURE_SIZE_1024"};
    int k = 0;
    while (k < 7 && (COTEMIN << k) < n)
        ++k;
    return noms[k];
}

void ecrire(FILE *sortie, const char *nomtableau, const char *source) {
    std::fprintf(sortie,
                 "/* %s, %d x %d texels in the DS's direct colour (5 bits each of red, green and\n"
                 "   blue, bit 15 opaque), rows from the top: chargertexture(%s) of meshpress.h\n"
                 "   loads and binds it. */\n",
                 source, largeur, hauteur, nomtableau);
    std::fprintf(sortie, "#define %s_largeur %s\n#define %s_hauteur %s\n", nomtableau,
                 constante(largeur), nomtableau, constante(hauteur));
    const long n = static_cast<long>(largeur) * hauteur;
    std::fprintf(sortie, "const u16 %s[%ld] __attribute__((aligned(4))) = {\n", nomtableau, n);
    for (long i = 0; i < n; ++i)
        std::fprintf(sortie, "0x%04x,%s", table[i], i % 16 == 15 ? "\n" : "");
    std::fprintf(sortie, "};\n");
}

} // namespace texels
