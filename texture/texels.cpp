#include "texels.h"

#include <cerrno>
#include <cstring>

#include "messages.h"
#include "mot.h"

// PNG and BMP only, what DS authors' textures are: stb_image's other decoders read outside their
// tables on malformed files.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
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

// Sides the DS takes, within its texture memory.
bool texture(int l, int h) {
    return cote(l) && cote(h) && 2L * l * h <= OCTETSMAX;
}

void refuser(const char *nom, int l, int h, char *raison, size_t taille) {
    std::snprintf(raison, taille,
                  "%s : %d x %d : les cotes d'une texture de la DS sont des puissances de deux de "
                  "%d a %d, et elle tient dans ses %ld Kio de memoire de textures",
                  nom, l, h, COTEMIN, COTEMAX, OCTETSMAX / 1024);
}

// The whole file: a DS texture's image, PNG or BMP, is far smaller.
unsigned char fichier[8 << 20];

// Whether a PNG's chunks each lie within the file (a file that is no PNG passes): the decoder
// takes a chunk's length as it is written and allocates it before reading.
bool pngentier(const unsigned char *d, size_t n) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n < 8 || std::memcmp(d, signature, 8) != 0) return true;
    for (size_t i = 8; i + 12 <= n;) {
        const size_t longueur = static_cast<size_t>(d[i]) << 24 | static_cast<size_t>(d[i + 1]) << 16 |
                                static_cast<size_t>(d[i + 2]) << 8 | d[i + 3];
        if (longueur > n - i - 12) return false;
        if (std::memcmp(d + i + 4, "IEND", 4) == 0) return true;
        i += 12 + longueur;
    }
    return false;
}

// The decoder's reason for its last failure, in French as the tools say everything: its words
// for what a PNG or a BMP may be, each said the same way.
const char *pourquoi() {
    static const char *const raisons[][2] = {
        {"Corrupt PNG", "PNG abime"},
        {"Not a PNG", "pas un PNG"},
        {"PNG not supported", "PNG d'une profondeur de couleur que le decodeur ne lit pas"},
        {"Corrupt BMP", "BMP abime"},
        {"bad BMP", "BMP abime"},
        {"BMP type not supported: RLE", "BMP compresse en RLE, que le decodeur ne lit pas"},
        {"BMP type not supported", "BMP d'un type que le decodeur ne lit pas"},
        {"Out of memory", "memoire insuffisante"},
        {"Very large image", "image trop grande (abimee ?)"},
        {"Image too large", "image trop grande (abimee ?)"},
        {"Image not of any known type", "ni PNG ni BMP, ou abimee"},
    };
    const char *r = stbi_failure_reason();
    for (const auto &raison : raisons)
        if (r != nullptr && std::strncmp(r, raison[0], std::strlen(raison[0])) == 0)
            return raison[1];
    return "le decodeur ne la lit pas";
}

} // namespace

bool lire(const char *nom, char *raison, size_t taille) {
    FILE *f = ouvrirlecture(nom);
    if (f == nullptr) {
        std::snprintf(raison, taille, "%s : %s", nom, raisonsysteme(errno));
        return false;
    }
    const size_t lus = std::fread(fichier, 1, sizeof fichier, f);
    const bool entier = std::fgetc(f) == EOF && !std::ferror(f);
    std::fclose(f);
    if (!entier) {
        std::snprintf(raison, taille, "%s : %s", nom,
                      lus == sizeof fichier ? "plus de 8 Mio, trop pour une texture de la DS"
                                            : "lecture impossible");
        return false;
    }
    const int n = static_cast<int>(lus);
    int l = 0, h = 0, canaux = 0;
    // The size first, from the header: an image too big for the DS is never decoded.
    const bool png = pngentier(fichier, lus);
    if (!png || stbi_info_from_memory(fichier, n, &l, &h, &canaux) == 0) {
        std::snprintf(raison, taille,
                      "%s : pas une image PNG ou BMP lisible (%s) : enregistrez-la en PNG", nom,
                      png ? pourquoi() : "un bloc du PNG passe la fin du fichier");
        return false;
    }
    if (!texture(l, h)) {
        refuser(nom, l, h, raison, taille);
        return false;
    }
    unsigned char *pixels = stbi_load_from_memory(fichier, n, &l, &h, &canaux, 4);
    if (pixels == nullptr) {
        std::snprintf(raison, taille, "%s : image illisible : %s", nom, pourquoi());
        return false;
    }
    // The decoder gives the size again: the table holds only what was checked.
    if (!texture(l, h)) {
        refuser(nom, l, h, raison, taille);
        stbi_image_free(pixels);
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
