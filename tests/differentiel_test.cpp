// The fast converter against the first one, kept as the oracle, on thousands of generated
// models, well formed and damaged: the display-list text must be the same byte for byte. And the
// number formatter against the C library's "%f".
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

#include "ecriture.h"
#include "memoire.h"

namespace {

const char *const MOTSCLES[] = {"Nombre_de_points:", "Points:", "Faces:", "Textures:", "FaceTextures:", "Normal:"};
const char *const PRESQUE[] = {"points:", "Faces", "Points:0", "Textures:x", "xTextures:", "TEXTURES:",
                               "Faces:Faces:", "FaceTextures", "Nombre_de_points"};
const char *const ENTIERS[] = {"0", "1", "2", "3", "010", "0x10", "0X1f", "08", "09", "0x", "0xg", "-0x3", "+7",
                               "-", "+", "-x", "99999999999", "-2147483649", "2147483648", "-2147483648",
                               "999999", "1000000", "-1", "00000000000000000000000000001", "1.5", "x"};
const char *const REELS[] = {"12.5", "-0.25", "1e5", "1E-3", "1e", "1e+", "1e+x", "1e-", ".5", "5.", ".", "-.",
                             "+.e1", "inf", "-inf", "infinity", "INFINITY", "infinit", "infx", "in", "i", "nan",
                             "-NaN", "na", "nax", "n", "0x1p3", "0x.8p1", "0x", "0xp3", "0x.", "0x1p", "0x1P-3",
                             "-0x1e5", "1.5e38", "3.5e38", "1e39", "1e-45", "1e-46", "1e-50", "-0", "-0.0",
                             "1.0000000596046448", "1.00000005960464477539062500001", "0.1", "16777217",
                             "33554433", "7.006492321624085e-46", "1e999999999999", "1e-999999999999",
                             "123456789012345678901234567890", "0.000000000000000000000000000000001",
                             "12345.67", "-1e-9", "5e-7", "1.5e-6", "2.5e-6", "0.0000005"};

std::string blanc(std::mt19937 &alea) {
    static const char *const blancs[] = {" ", "\n", "\t", "\r\n", "\v", "\f", "  ", " \n "};
    return blancs[alea() % 8];
}

std::string reelaleatoire(std::mt19937 &alea) {
    switch (alea() % 4) {
    case 0:
        return REELS[alea() % std::size(REELS)];
    case 1: {
        // Many digits, to cross the short forms.
        std::string s = alea() % 2 ? "-" : "";
        const int n = 1 + static_cast<int>(alea() % 40);
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + alea() % 10);
        if (alea() % 2) s = s.substr(0, s.size() / 2) + "." + s.substr(s.size() / 2);
        if (alea() % 4 == 0) {
            s += 'e';
            s += std::to_string(static_cast<int>(alea() % 80) - 40);
        }
        return s;
    }
    default: {
        char texte[64];
        std::snprintf(texte, sizeof texte, "%.*f", static_cast<int>(alea() % 8),
                      std::uniform_real_distribution<double>(-1000, 1000)(alea));
        return texte;
    }
    }
}

std::string entieraleatoire(std::mt19937 &alea) {
    if (alea() % 3 == 0) return ENTIERS[alea() % std::size(ENTIERS)];
    return std::to_string(alea() % 12);
}

std::string itemaleatoire(std::mt19937 &alea) {
    switch (alea() % 6) {
    case 0:
        return PRESQUE[alea() % std::size(PRESQUE)];
    case 1:
        return std::string(250 + alea() % 10, 'X') + MOTSCLES[alea() % 6];
    case 2: {
        std::string s(1 + alea() % 6, '\0');
        for (char &c : s) c = static_cast<char>(alea() % 256);
        return s;
    }
    case 3:
        return std::string("Textures:") + '\0' + "suite";
    default:
        return alea() % 2 ? reelaleatoire(alea) : entieraleatoire(alea);
    }
}

// Entries as an exporter writes them, mixed with damaged ones and stray items.
std::string generermodele(std::mt19937 &alea, int entrees) {
    std::string s;
    for (int i = 0; i < entrees; ++i) {
        const int genre = static_cast<int>(alea() % 10);
        if (genre < 8) {
            const int mot = static_cast<int>(alea() % 6);
            s += MOTSCLES[mot];
            const int valeurs = mot == 0 ? 1 : 4;
            for (int v = 0; v < valeurs; ++v) {
                s += blanc(alea);
                const bool reel = v > 0 && (mot == 1 || mot == 3);
                s += reel ? reelaleatoire(alea) : entieraleatoire(alea);
            }
        } else {
            s += itemaleatoire(alea);
        }
        // Now and then no white space at all, gluing items together.
        if (alea() % 20) s += blanc(alea);
    }
    return s;
}

std::string convertir(const std::string &texte, bool parloracle) {
    return memoire::convertir(reinterpret_cast<const uint8_t *>(texte.data()), texte.size(), parloracle);
}

} // namespace

TEST(Differentiel, MillesDeModelesCourts) {
    std::mt19937 alea(20261206);
    for (int i = 0; i < 4000; ++i) {
        const std::string texte = generermodele(alea, 1 + static_cast<int>(alea() % 40));
        const std::string attendu = convertir(texte, true);
        ASSERT_EQ(convertir(texte, false), attendu) << "model " << i << ":\n" << texte;
    }
}

// Models larger than the readers' buffers, so that items, numbers and "Textures:" straddle them.
TEST(Differentiel, ModelesPlusGrandsQueLesTampons) {
    std::mt19937 alea(7);
    for (int i = 0; i < 4; ++i) {
        std::string texte = generermodele(alea, 250000);
        if (i % 2) texte += " Textures:";
        const std::string attendu = convertir(texte, true);
        const std::string obtenu = convertir(texte, false);
        ASSERT_EQ(obtenu.size(), attendu.size()) << i;
        ASSERT_TRUE(obtenu == attendu) << i;
    }
}

TEST(Formatage, CommePrintf) {
    std::vector<double> valeurs = {0.0, -0.0, 1.0, -1.0, 0.5, 0.0078125, -0.0078125, 0x1p-20, 5e-7, -5e-7, 1.5e-6,
                                   2.5e-6, 4.9999995e-7, 0.0000005000000000000001, 999999.9999995, 0x1p53 - 1,
                                   0x1p53, 0x1p53 + 2, 1e30, -3.4e38 / 10, 4.9e-324, -4.9e-324, 1.7976931348623157e308,
                                   INFINITY, -INFINITY, NAN, -NAN, 128.0, 96.0, 1234.566992, 0.1, 0.3};
    std::mt19937_64 alea(99);
    for (int i = 0; i < 200000; ++i) {
        uint64_t bits = alea();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        valeurs.push_back(d);
        const float f = std::uniform_real_distribution<float>(-2000, 2000)(alea);
        valeurs.push_back(static_cast<double>(f) / 10);
        valeurs.push_back(128.0 - 128.0 * static_cast<double>(f / 2000));
        valeurs.push_back(std::ldexp(static_cast<double>(alea() % 2000001) - 1000000, -static_cast<int>(alea() % 80)));
    }
    for (double v : valeurs) {
        char attendu[400], obtenu[400];
        std::snprintf(attendu, sizeof attendu, "%f", v);
        const int n = formaterreel(obtenu, v);
        ASSERT_EQ(std::string(obtenu, static_cast<size_t>(n)), attendu) << std::hexfloat << v;
    }
}
