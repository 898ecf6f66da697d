// The writer against the C library: each number as printf's "%f" writes it, each block as
// fprintf writes it from the file's templates.
#include <cfloat>
#include <cmath>
#include <bit>
#include <gtest/gtest.h>
#include <random>

#include "ecriture.h"

TEST(Ecriture, NombresCommePrintf) {
    // Exact ties (0.0078125 = 2^-7), carries into the integer part, the ends of the formatter's
    // paths, the extremes.
    std::vector<double> valeurs = {-0.0, 5e-7, -5e-7, 2.5e-6, 0.0078125, 0.0234375, 9.9999995, 999999.9999995,
                                   0x1p-30, 0x1p-30 - 0x1p-83, 0x1p32 - 0x1p-20, 0x1p32, 0x1p44 - 1, 0x1p44,
                                   4.9e-324, DBL_MAX, INFINITY, -INFINITY, NAN, -NAN};
    std::mt19937_64 alea(99);
    for (int i = 0; i < 200000; ++i) {
        valeurs.push_back(std::bit_cast<double>(static_cast<uint64_t>(alea())));
        // Ties of the sixth decimal, and values of every size that floats give.
        valeurs.push_back((static_cast<double>(alea() % 100000) + 0.5) / 1e6);
        valeurs.push_back(std::ldexp(static_cast<double>(alea() % 2000001) - 1e6, -static_cast<int>(alea() % 150)));
        // What the writer prints: a tenth of a model's float, 128 - 128 times one.
        const float f = std::bit_cast<float>(static_cast<uint32_t>(alea() % 0x4b000000u));
        valeurs.push_back(static_cast<double>(f) / 10);
        valeurs.push_back(128.0 - 128.0 * static_cast<double>(f));
    }
    for (double v : valeurs) {
        char attendu[400], obtenu[400];
        std::snprintf(attendu, sizeof attendu, "%f", v);
        ASSERT_EQ(std::string(obtenu, static_cast<size_t>(formaterreel(obtenu, v))), attendu) << std::hexfloat << v;
    }
}

// A file larger than the writer's buffer, with a name of any length and the longest numbers.
TEST(Ecriture, BlocsCommeFprintf) {
    const float v[15] = {FLT_MAX, -FLT_MAX, 1e-45f, -0.0f, INFINITY, NAN, 0.1f, -1e10f, 3, -FLT_MAX, FLT_MAX, 0.25f, 1};
    const std::string nom(3 << 20, 'n');
    const auto texte = [](auto ecrire) {
        char *donnees = nullptr;
        size_t taille = 0;
        FILE *f = open_memstream(&donnees, &taille);
        ecrire(f);
        std::fclose(f);
        std::string s(donnees, taille);
        std::free(donnees);
        return s;
    };
    const std::string bloc = texte([&](FILE *f) {
        const char *const vertex = "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f),0),\n";
        std::fputs("FIFO_COMMAND_PACK(FIFO_VERTEX16, FIFO_VERTEX16, FIFO_VERTEX16, FIFO_NOP),\n", f);
        for (int k = 0; k < 9; k += 3) std::fprintf(f, vertex, v[k] / 10.0, v[k + 2] / 10.0, v[k + 1] / 10.0);
        std::fputs("FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_TEX_COORD, FIFO_VERTEX16),\n", f);
        for (int k = 0; k < 3; ++k) {
            if (k == 2) std::fputs("FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_NOP,FIFO_NOP),\n", f);
            std::fprintf(f, "TEXTURE_PACK(floatot16(%f),floatot16(%f)),\n", 128 - 128.0 * v[10 + 2 * k], 128 - 128.0 * v[9 + 2 * k]);
            std::fprintf(f, vertex, double{v[3 * k]}, double{v[3 * k + 1]}, double{v[3 * k + 2]});
        }
    });
    std::string attendu = "u32 " + nom + "[] = {-7,\n FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n GL_TRIANGLE,\n";
    for (int i = 0; i < 5000; ++i) attendu += bloc;
    attendu += "FIFO_COMMAND_PACK(FIFO_END, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n};";
    const std::string obtenu = texte([&](FILE *f) {
        ecrireentete(f, nom.c_str(), -7);
        for (int i = 0; i < 5000; ++i) ecrireface(f, v, v + 3, v + 6), ecrirefacetexture(f, v, v + 9, v + 11, v + 13);
        ecrirefin(f);
    });
    ASSERT_TRUE(obtenu == attendu) << obtenu.size() << " bytes, " << attendu.size() << " expected";
}
