// The model of the new lists against independent oracles: each value as the C library compiles
// today's text ("%f", strtod, truncation), a cube's flat normals along the axes, a sphere's smooth
// normals away from its centre.
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

#include "ecriture.h"
#include "lecturemodele.h"
#include "listeobj.h"
#include "maillage.h"
#include "modele.h"
#include "obj.h"

namespace {

// What the DS's macro makes of a number the list prints: the C library's "%f" and strtod, times
// 2^bits, truncated, the int16 cast wrapping.
int16_t compile(double v, int bits) {
    char texte[400];
    std::snprintf(texte, sizeof texte, "%f", v);
    const double t = std::trunc(std::strtod(texte, nullptr) * std::ldexp(1, bits));
    return std::isfinite(t) ? static_cast<int16_t>(static_cast<int64_t>(std::fmod(t, 65536))) : 0;
}

FILE *fichier(const std::string &texte) {
    FILE *f = std::tmpfile();
    std::fputs(texte.c_str(), f);
    std::rewind(f);
    return f;
}

// Today's list of the model (OBJ or text), and its numbers in order.
std::vector<double> aujourdhui(const std::string &modele, bool estobj, bool texture) {
    char *texte = nullptr;
    size_t taille = 0;
    FILE *sortie = open_memstream(&texte, &taille);
    FILE *entree = fichier(modele);
    char raison[512];
    if (estobj) EXPECT_TRUE(obj::convertirobj(entree, sortie, "m", "m.obj", raison, sizeof raison));
    else if (texture) modele::convertiravectexture(entree, sortie, "m");
    else modele::convertirsanstexture(entree, sortie, "m");
    ecrirefin(sortie);
    std::fclose(sortie);
    std::fclose(entree);
    std::vector<double> nombres;
    for (const char *p = texte; (p = std::strstr(p, "floato")) != nullptr; p += 10) nombres.push_back(std::strtod(p + 10, nullptr));
    std::free(texte);
    return nombres;
}

void construire(const std::string &modele, bool estobj, bool texture) {
    FILE *entree = fichier(modele);
    char raison[512];
    if (estobj) {
        ASSERT_TRUE(obj::lireobj(entree, "m.obj", raison, sizeof raison));
        maillage::construireobj();
    } else {
        ASSERT_TRUE(lecturemodele::lire(entree, texture, raison, sizeof raison));
        maillage::construiremodele();
    }
    std::fclose(entree);
}

// Each corner's values in today's order: the pair (textured) then x, y, z.
void memesvaleurs(const std::vector<double> &nombres, bool texture) {
    const size_t parcoin = texture ? 5 : 3;
    ASSERT_EQ(nombres.size(), parcoin * 3 * static_cast<size_t>(maillage::ntriangles));
    for (size_t n = 0; n < nombres.size(); n += parcoin) {
        const maillage::Sommet &s = maillage::sommets[maillage::triangles[n / parcoin / 3][n / parcoin % 3]];
        const double *v = &nombres[n];
        if (texture) {
            EXPECT_EQ(s.t, compile(v[0], 4)) << v[0];
            EXPECT_EQ(s.s, compile(v[1], 4)) << v[1];
            v += 2;
        }
        EXPECT_EQ(s.x, compile(v[0], 12)) << v[0];
        EXPECT_EQ(s.y, compile(v[1], 12)) << v[1];
        EXPECT_EQ(s.z, compile(v[2], 12)) << v[2];
    }
}

double normale(int32_t mot, int k) {
    return static_cast<double>((mot >> (10 * k) & 0x3FF) ^ 0x200) / 512 - 1;
}

} // namespace

// Random reals, sixth-decimal ties, values that round up to the range's end and beyond it.
TEST(Maillage, ValeursCommeLeTexteCompile) {
    std::mt19937 alea(34);
    std::vector<std::string> reels = {"7.9999996", "-8", "-8.0000004", "0.0000005", "-0.0000005", "2.0000005", "1e6", "-123456.7"};
    for (int i = 0; i < 300; ++i) reels.push_back(std::to_string(std::ldexp(static_cast<double>(alea()) / 4294967296.0 - 0.5, static_cast<int>(alea() % 8))));
    maillage::options = {};
    maillage::options.echelle = 1;
    for (const bool texture : {false, true}) {
        std::string objet, texte = "Nombre_de_points: 3\n";
        for (size_t i = 0; i + 2 < reels.size(); i += 3) {
            objet += "v " + reels[i] + " " + reels[i + 1] + " " + reels[i + 2] + "\nvt " + reels[i + 1] + " " + reels[i] + "\n";
            texte += "Points: " + std::to_string(i) + " " + reels[i] + " " + reels[i + 1] + " " + reels[i + 2] + "\n";
            texte += "Textures: " + std::to_string(i) + " " + reels[i + 2] + " " + reels[i] + " 0\n";
        }
        for (size_t i = 1; i + 1 < reels.size() / 3; ++i) {
            const std::string a = std::to_string(i), b = std::to_string(i + 1), c = std::to_string(i * 7 % (reels.size() / 3) + 1);
            objet += texture ? "f " + a + "/" + b + " " + b + "/" + c + " " + c + "/" + a + "\n" : "f " + a + " " + b + " " + c + "\n";
            const std::string coins = std::to_string(3 * (i - 1)) + " " + std::to_string(3 * i) + " " + std::to_string(3 * (i * 7 % 30));
            texte += "Faces: " + a + " " + coins + "\n" + (texture ? "FaceTextures: " + a + " " + coins + "\n" : "");
        }
        const std::vector<double> nombresobj = aujourdhui(objet, true, texture);
        construire(objet, true, texture);
        memesvaleurs(nombresobj, texture);
        const std::vector<double> nombrestexte = aujourdhui(texte, false, texture);
        construire(texte, false, texture);
        memesvaleurs(nombrestexte, texture);
    }
}

// The number the list's macro makes of any double, the "%f" text compiled, whatever its size.
TEST(Maillage, VirguleFixeCommeStrtod) {
    std::mt19937_64 alea(9);
    for (int i = 0; i < 200000; ++i) {
        const double v = i % 2 ? (static_cast<double>(alea() % 20000001) - 1e7) / 1e6 + 5e-7 * static_cast<double>(alea() % 3)
                               : std::ldexp(static_cast<double>(alea() % 2000001) - 1e6, static_cast<int>(alea() % 60) - 40);
        bool hors;
        ASSERT_EQ(maillage::virgulefixe(v, 12, hors), compile(v, 12)) << std::hexfloat << v;
        ASSERT_EQ(maillage::virgulefixe(v, 4, hors), compile(v, 4)) << std::hexfloat << v;
    }
}

// A cube's flat normals are the axes, outwards; a sphere's smooth normals point away from its
// centre (its poles' faces meet at less than 60 degrees).
TEST(Maillage, Normales) {
    maillage::options = {};
    maillage::options.echelle = 1;
    maillage::options.angle = 60;
    maillage::options.normales = maillage::options.plates = true;
    construire("v -1 -1 -1\nv 1 -1 -1\nv 1 1 -1\nv -1 1 -1\nv -1 -1 1\nv 1 -1 1\nv 1 1 1\nv -1 1 1\n"
               "f 1 4 3 2\nf 5 6 7 8\nf 1 2 6 5\nf 3 4 8 7\nf 2 3 7 6\nf 1 5 8 4\n", true, false);
    ASSERT_EQ(maillage::ntriangles, 12);
    EXPECT_EQ(maillage::nquads, 6);
    for (int32_t i = 0; i < maillage::ntriangles; ++i)
        for (int c = 0; c < 3; ++c) {
            const maillage::Sommet &s = maillage::sommets[maillage::triangles[i][c]];
            const maillage::Sommet &a = maillage::sommets[maillage::triangles[i][(c + 1) % 3]], &b = maillage::sommets[maillage::triangles[i][(c + 2) % 3]];
            // The axis the face's three corners share, and its side.
            const int axe = a.x == b.x && a.x == s.x ? 0 : a.y == b.y && a.y == s.y ? 1 : 2;
            const int16_t cote = axe == 0 ? s.x : axe == 1 ? s.y : s.z;
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(normale(s.normale, k), k == axe ? (cote > 0 ? 511.0 / 512 : -1) : 0, 1e-9);
        }
    std::string sphere;
    const int n = 24;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j < n; ++j) {
            const double a = M_PI * i / n, b = 2 * M_PI * j / n;
            sphere += "v " + std::to_string(2 + std::sin(a) * std::cos(b)) + " " + std::to_string(std::cos(a)) + " " + std::to_string(std::sin(a) * std::sin(b)) + "\n";
        }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const auto v = [&](int k, int l) { return std::to_string(k * n + (l % n) + 1); };
            sphere += "f " + v(i, j) + " " + v(i, j + 1) + " " + v(i + 1, j + 1) + " " + v(i + 1, j) + "\n";
        }
    maillage::options.plates = false;
    construire(sphere, true, false);
    for (int32_t i = 0; i < maillage::nsommets; ++i) {
        const maillage::Sommet &s = maillage::sommets[i];
        const double p[3] = {s.x / 4096.0 - 2, s.y / 4096.0, s.z / 4096.0};
        double produit = 0;
        for (int k = 0; k < 3; ++k) produit += p[k] * normale(s.normale, k);
        EXPECT_GT(produit / std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 0.998) << i;
    }
}
