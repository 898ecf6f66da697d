// The reading primitives against the C library on generated and adversarial texts: numeral
// shapes (data/numeraux.txt and random ones), decimal texts on and next to the midpoints between
// two floats, every C-locale white space, items of any length, texts across the reader's buffer.
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

#include "lecture.h"
#include "primitives.h"

namespace {

// The groups of data/numeraux.txt: reals, integers, the loader's lines.
std::vector<std::vector<std::string>> groupes() {
    std::vector<std::vector<std::string>> g(3);
    std::ifstream f(DONNEES "/numeraux.txt");
    for (std::string ligne; std::getline(f, ligne);)
        if (ligne[0] != '#') g[static_cast<size_t>(ligne[0] - '0')].push_back(ligne.substr(2));
    return g;
}
const std::vector<std::vector<std::string>> NUMERAUX = groupes();

std::string tirer(std::mt19937 &alea, size_t n, const std::string &jeu) {
    std::string s;
    while (s.size() < n) s += jeu[alea() % jeu.size()];
    return s;
}

// A piece of a model or display-list file: a numeral, a line, binary bytes or a long word,
// after blanks of every kind.
std::string morceau(std::mt19937 &alea) {
    const char *const blancs[] = {"", " ", "\t\n\v\f\r ", "\n", "\r\n"};
    const auto &groupe = NUMERAUX[alea() % 3];
    const auto genre = alea() % 5;
    return blancs[alea() % 5] +
           (genre < 2    ? groupe[alea() % groupe.size()]
            : genre == 2 ? tirer(alea, 1 + alea() % 20, alea() % 4 ? "0123456789-." : "0123456789.eE+-xXpPaf")
            : genre == 3 ? tirer(alea, alea() % 8, std::string("\x01\x7f\x80\xff\xa0\x85 ,()\0", 11))
                         : std::string(250 + alea() % 10, 'W'));
}

} // namespace

TEST(Lecture, CommeLaBibliothequeC) {
    std::mt19937 alea(1);
    for (int i = 0; i < 25000; ++i) {
        std::string texte, d;
        const std::string directives = i % 5 ? "ffffiiisslmvtc" : "wdd";
        for (size_t n = 1 + alea() % 6; n > 0; --n) {
            texte += morceau(alea);
            d += directives[alea() % directives.size()];
        }
        // Then the rest of the text, read to its end.
        d += i % 5 ? "fffiiis" : "wwwwdd";
        ASSERT_EQ(primitives::comparer(texte, d), "") << "[" << texte << "] " << d;
    }
}

// Decimal texts of 9 to 17 digits whose value, or the double nearest to it, lies on or next to
// the midpoint of two floats: where rounding to double, then to float, would go wrong.
TEST(Lecture, MilieuxEntreDeuxFloats) {
    std::mt19937 alea(2);
    for (int i = 0; i < 3000; ++i) {
        const float f = std::ldexp(1.0f + static_cast<float>(alea() % (1 << 23)) / (1 << 23), static_cast<int>(alea() % 120) - 60);
        const double milieu = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, INFINITY))) / 2;
        for (int k = static_cast<int>(std::floor(std::log10(milieu))) - 16, fin = k + 8; k < fin; ++k)
            for (double d : {-1.0, 0.0, 1.0}) {
                d += std::nearbyint(milieu / std::pow(10.0, k));
                char texte[64];
                std::snprintf(texte, sizeof texte, "%.0fe%d %.*f ", d, k, k < 0 ? -k : 0, d * std::pow(10.0, k));
                ASSERT_EQ(primitives::comparer(texte, "ff"), "") << texte;
            }
    }
}

// The OBJ reader's reals against strtof: numeral shapes, texts next to midpoints between two
// floats, random decimals of every length and exponent, and those with a character changed.
TEST(Obj, ReelsCommeStrtof) {
    std::vector<std::string> mots = NUMERAUX[0];
    std::mt19937 alea(3);
    for (int i = 0; i < 200000; ++i) {
        std::string m = tirer(alea, alea() % 3, "+-") + tirer(alea, alea() % 12, "0123456789");
        if (alea() % 4) m.append(".").append(tirer(alea, alea() % 30, "0123456789"));
        if (alea() % 3 == 0) m.append(tirer(alea, 1, "eE")).append(tirer(alea, alea() % 2, "+-")).append(std::to_string(alea() % (i % 7 ? 50 : 400)));
        if (!m.empty() && alea() % 5 == 0) m[alea() % m.size()] = tirer(alea, 1, "0.eE+-x, \0")[0];
        if (!m.empty()) mots.push_back(m);
    }
    for (int i = 0; i < 3000; ++i) {
        const float f = std::ldexp(1.0f + static_cast<float>(alea() % (1 << 23)) / (1 << 23), static_cast<int>(alea() % 250) - 140);
        char texte[64];
        std::snprintf(texte, sizeof texte, "%.*g", 9 + static_cast<int>(alea() % 9), (static_cast<double>(f) + static_cast<double>(std::nextafter(f, INFINITY))) / 2);
        mots.push_back(texte);
    }
    for (const std::string &m : mots) ASSERT_EQ(primitives::comparerreel(m), "");
}

// A numeral or line that starts just before the end of the reader's first read.
TEST(Lecture, ATraversLeTampon) {
    for (size_t avant = 1; avant <= 24; avant += 1 + avant / 3)
        for (const auto &groupe : NUMERAUX)
            for (size_t i = 0; i < groupe.size(); i += 3)
                for (const char *d : {"ff", "ii", "ss", "m", "vv", "l"})
                    ASSERT_EQ(primitives::comparer(std::string(TAILLELECTURE - avant, ' ') + groupe[i] + " 1", d), "") << avant << groupe[i];
}
