#include "images.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "mot.h"
#include "systeme.h"

namespace images {

namespace {

// Unsigned numbers of 2 or 4 bytes, big-endian (PNG, JPEG) or little-endian (BMP, TGA).
uint32_t gros(const unsigned char *e, int octets) {
    uint32_t v = 0;
    for (int k = 0; k < octets; ++k)
        v = v << 8 | e[k];
    return v;
}

uint32_t petit(const unsigned char *e, int octets) {
    uint32_t v = 0;
    for (int k = octets - 1; k >= 0; --k)
        v = v << 8 | e[k];
    return v;
}

Lecture impossible(char *raison, size_t place, const char *format, const char *pourquoi) {
    std::snprintf(raison, place, "son en-tete %s %s", format, pourquoi);
    return IMPOSSIBLE;
}

// A size an image can have: from 1 to 2^31 - 1 each way.
Lecture donner(uint64_t l, uint64_t h, int &largeur, int &hauteur, char *raison, size_t place,
               const char *format) {
    if (l == 0 || h == 0 || l > INT32_MAX || h > INT32_MAX) {
        char pourquoi[96];
        std::snprintf(pourquoi, sizeof pourquoi, "donne %llu x %llu, une taille impossible",
                      static_cast<unsigned long long>(l), static_cast<unsigned long long>(h));
        return impossible(raison, place, format, pourquoi);
    }
    largeur = static_cast<int>(l);
    hauteur = static_cast<int>(h);
    return LUE;
}

// JPEG: after the start of image, segments each behind an FF marker; the first frame header
// (SOF0 to SOF15 but DHT, JPG and DAC: baseline, progressive, lossless, arithmetic) gives the
// height, then the width. The segments before it are passed over by their lengths.
Lecture jpeg(FILE *f, int &largeur, int &hauteur, char *raison, size_t place) {
    for (;;) {
        int c = std::getc(f);
        if (c != 0xFF)
            return impossible(raison, place, "JPEG", c == EOF ? "est coupe" : "est rompu");
        while (c == 0xFF)
            c = std::getc(f);
        if (c == EOF) return impossible(raison, place, "JPEG", "est coupe");
        // Markers without a segment: restarts, TEM, a repeated start of image.
        if ((c >= 0xD0 && c <= 0xD8) || c == 0x01) continue;
        if (c == 0xD9 || c == 0xDA)
            return impossible(raison, place, "JPEG", "ne donne pas de taille avant ses donnees");
        unsigned char e[7];
        if (std::fread(e, 1, 2, f) != 2) return impossible(raison, place, "JPEG", "est coupe");
        const uint32_t longueur = gros(e, 2);
        if (longueur < 2) return impossible(raison, place, "JPEG", "est rompu");
        const bool trame = c >= 0xC0 && c <= 0xCF && c != 0xC4 && c != 0xC8 && c != 0xCC;
        if (!trame) {
            if (std::fseek(f, longueur - 2, SEEK_CUR) != 0)
                return impossible(raison, place, "JPEG", "est coupe");
            continue;
        }
        if (longueur < 7 || std::fread(e, 1, 5, f) != 5)
            return impossible(raison, place, "JPEG", "est coupe");
        return donner(gros(e + 3, 2), gros(e + 1, 2), largeur, hauteur, raison, place, "JPEG");
    }
}

} // namespace

Lecture taille(const char *nom, int &largeur, int &hauteur, char *raison, size_t place) {
    FILE *f = estordinaire(nom) ? ouvrirlecture(nom) : nullptr;
    if (f == nullptr) return INCONNUE;
    unsigned char e[26] = {};
    const size_t n = std::fread(e, 1, sizeof e, f);
    Lecture lu = INCONNUE;
    if (n >= 8 && std::memcmp(e, "\x89PNG\r\n\x1a\n", 8) == 0) {
        // PNG: the signature, then the IHDR chunk: width and height, big-endian.
        lu = n < 24 || std::memcmp(e + 12, "IHDR", 4) != 0
                 ? impossible(raison, place, "PNG", "est coupe")
                 : donner(gros(e + 16, 4), gros(e + 20, 4), largeur, hauteur, raison, place, "PNG");
    } else if (n >= 2 && e[0] == 'B' && e[1] == 'M') {
        // BMP: after the file header, the size of the information header, then width and
        // height: 16 bits unsigned in the oldest header, 32 signed since (a negative height:
        // rows top-down).
        if (n < 26) {
            lu = impossible(raison, place, "BMP", "est coupe");
        } else if (petit(e + 14, 4) == 12) {
            lu = donner(petit(e + 18, 2), petit(e + 20, 2), largeur, hauteur, raison, place, "BMP");
        } else {
            const int64_t l = static_cast<int32_t>(petit(e + 18, 4));
            const int64_t h = static_cast<int32_t>(petit(e + 22, 4));
            lu = donner(l < 0 ? 0 : static_cast<uint64_t>(l), static_cast<uint64_t>(h < 0 ? -h : h),
                        largeur, hauteur, raison, place, "BMP");
        }
    } else if (n >= 2 && e[0] == 0xFF && e[1] == 0xD8) {
        std::fseek(f, 2, SEEK_SET);
        lu = jpeg(f, largeur, hauteur, raison, place);
    } else if (aextension(nom, "tga")) {
        // TGA has no signature: its name says it, and its header must be one (a colour map or
        // none; colour-mapped, true-colour or grey, uncompressed or RLE: types 1 to 3 and 9 to
        // 11). Width and height, little-endian, at 12 and 14.
        const int type = e[2] & ~8, bits = e[16];
        const bool entete = e[1] <= 1 && type >= 1 && type <= 3 &&
                            (bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32);
        lu = n < 18    ? impossible(raison, place, "TGA", "est coupe")
             : !entete ? impossible(raison, place, "TGA", "n'est pas celui d'une image TGA")
                       : donner(petit(e + 12, 2), petit(e + 14, 2), largeur, hauteur, raison, place,
                                "TGA");
    }
    std::fclose(f);
    return lu;
}

} // namespace images
