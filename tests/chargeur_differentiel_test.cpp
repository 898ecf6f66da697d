// The animator's fast loader against the first one, kept as the oracle, on generated
// display-list files, whole and damaged: the same vertices, bit for bit, in the same order, and
// the same console output.
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "memoire.h"

namespace {

std::string nombre(std::mt19937 &alea) {
    static const char *const etranges[] = {"-0.000000", "nan", "-inf", "1e", "0x1p3", ".", "-", "12345678901234567890.5",
                                           "3.5e38", "1e-50", "+.5", "0x"};
    if (alea() % 25 == 0) return etranges[alea() % std::size(etranges)];
    char texte[48];
    std::snprintf(texte, sizeof texte, "%f", std::uniform_real_distribution<double>(-200, 200)(alea));
    return texte;
}

std::string vertex(std::mt19937 &alea) {
    return "VERTEX_PACK(floatov16(" + nombre(alea) + "),floatov16(" + nombre(alea) + ")),VERTEX_PACK(floatov16(" +
           nombre(alea) + "),0),\n";
}

std::string texture(std::mt19937 &alea) {
    return "TEXTURE_PACK(floatot16(" + nombre(alea) + "),floatot16(" + nombre(alea) + ")),\n";
}

// A display-list file as the converter writes it, with a count word that may be wrong.
std::string fichier(std::mt19937 &alea, int faces) {
    const bool avec = alea() % 2;
    static const char *const comptes[] = {"0", "-5", "3", "4", "2147483647", "99999999999999999999", "0x20", "x"};
    std::string compte = alea() % 3 ? std::to_string((avec ? 11 : 7) * faces + 4) : comptes[alea() % 8];
    std::string s = "u32 modele[] = {" + compte + ",\n FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n GL_TRIANGLE,\n";
    for (int i = 0; i < faces; ++i) {
        if (avec) {
            s += "FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_TEX_COORD, FIFO_VERTEX16),\n";
            s += texture(alea) + vertex(alea) + texture(alea) + vertex(alea);
            s += "FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_NOP,FIFO_NOP),\n";
            s += texture(alea) + vertex(alea);
        } else {
            s += "FIFO_COMMAND_PACK(FIFO_VERTEX16, FIFO_VERTEX16, FIFO_VERTEX16, FIFO_NOP),\n";
            s += vertex(alea) + vertex(alea) + vertex(alea);
        }
    }
    return s + "FIFO_COMMAND_PACK(FIFO_END, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n};";
}

// Damage of the kinds met in files copied between machines and truncated downloads.
std::string abimer(std::mt19937 &alea, std::string s) {
    const int coups = static_cast<int>(alea() % 4);
    for (int i = 0; i < coups && !s.empty(); ++i) {
        const size_t ou = alea() % s.size();
        switch (alea() % 6) {
        case 0: s.resize(ou); break;
        case 1: s.erase(ou, 1 + alea() % 20); break;
        case 2: s.insert(ou, 1, static_cast<char>(alea() % 256)); break;
        case 3: s[ou] = " \n\t,()"[alea() % 6]; break;
        case 4: s.insert(ou, std::string(1 + alea() % 300, 'W')); break;
        default: s.insert(ou, "\r\n"); break;
        }
    }
    return s;
}

void comparer(const std::string &texte, const std::string &nom) {
    const auto *octets = reinterpret_cast<const uint8_t *>(texte.data());
    const memoire::Lecture attendu = memoire::lire(octets, texte.size(), true);
    const memoire::Lecture obtenu = memoire::lire(octets, texte.size(), false);
    ASSERT_EQ(obtenu.console, attendu.console) << nom;
    ASSERT_EQ(obtenu.sommets.size(), attendu.sommets.size()) << nom << "\n" << texte.substr(0, 3000);
    ASSERT_TRUE(memoire::memessommets(obtenu.sommets, attendu.sommets)) << nom;
}

} // namespace

TEST(ChargeurDifferentiel, FichiersEntiersEtAbimes) {
    std::mt19937 alea(2026);
    for (int i = 0; i < 3000; ++i) {
        std::string texte = fichier(alea, static_cast<int>(alea() % 6));
        if (i % 4) texte = abimer(alea, texte);
        comparer(texte, "file " + std::to_string(i));
    }
    for (const char *texte : {"", "u32", "u32 a[] = {5", "int main() { return 0; }\n", "};"}) comparer(texte, texte);
}

TEST(ChargeurDifferentiel, FichiersPlusGrandsQueLeTampon) {
    std::mt19937 alea(11);
    for (int i = 0; i < 4; ++i) comparer(abimer(alea, fichier(alea, 20000)), "large " + std::to_string(i));
}
