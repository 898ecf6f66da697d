#include "ecriture.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "commandes.h"
#include "lecture.h"
#include "modele.h"

using namespace commandes;

namespace {

// As large as the reader's, for the same reasons.
char tampon[TAILLELECTURE];
size_t rempli = 0;
FILE *destination = nullptr;

void vider() {
    if (rempli > 0 && destination != nullptr) std::fwrite(tampon, 1, rempli, destination);
    rempli = 0;
}

// Room for what comes next, handing the buffer to its stream first when it is full.
void reserver(FILE *sortie, size_t place) {
    if (destination != sortie) {
        vider();
        destination = sortie;
    }
    if (rempli + place > sizeof tampon) vider();
}

void ajouter(const char *texte, size_t n) {
    std::memcpy(tampon + rempli, texte, n);
    rempli += n;
}

template <size_t N> void litteral(const char (&texte)[N]) {
    ajouter(texte, N - 1);
}

void litteral(const Texte &texte) {
    ajouter(texte.c, texte.longueur);
}

void nombre(double valeur) {
    rempli += static_cast<size_t>(formaterreel(tampon + rempli, valeur));
}

const char paires[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The numbers 0 to 999 as text, left-aligned in four characters, and their lengths.
struct Entiers {
    char chiffres[1000][4];
    uint8_t longueur[1000];
};
constexpr Entiers tableentiers() {
    Entiers t{};
    for (int n = 0; n < 1000; ++n) {
        const int l = n < 10 ? 1 : n < 100 ? 2 : 3;
        for (int i = l - 1, m = n; i >= 0; --i, m /= 10) t.chiffres[n][i] = static_cast<char>('0' + m % 10);
        t.longueur[n] = static_cast<uint8_t>(l);
    }
    return t;
}
constexpr Entiers entiers = tableentiers();

// The decimal digits of n, written backwards from fin.
char *chiffres(char *fin, uint64_t n) {
    char *p = fin;
    while (n >= 100) {
        p -= 2;
        std::memcpy(p, paires + 2 * (n % 100), 2);
        n /= 100;
    }
    if (n >= 10) {
        p -= 2;
        std::memcpy(p, paires + 2 * n, 2);
    } else {
        *--p = static_cast<char>('0' + n);
    }
    return p;
}

Bilan bilan{};

// Without a branch: a model may have values on both sides of the range in any order. A NaN or
// an infinity (v - v is then NaN) is counted apart: no scale brings it into the range.
void verifier(double v) {
    const bool fini = v - v == 0;
    bilan.nonfinis += !fini;
    const bool hors = fini && !(v >= -8 && v < 8);
    bilan.horslimites += hors;
    const double grandeur = hors ? std::fabs(v) : 0.0;
    bilan.plusgrande = bilan.plusgrande < grandeur ? grandeur : bilan.plusgrande;
}

void ecrirevertex(double v1, double v2, double v3) {
    verifier(v1);
    verifier(v2);
    verifier(v3);
    litteral(SOMMETX);
    nombre(v1);
    litteral(SOMMETY);
    nombre(v2);
    litteral(SOMMETZ);
    nombre(v3);
    litteral(SOMMETFIN);
}

void ecriretexture(const double paire[2]) {
    bilan.nonfinis += !(paire[0] - paire[0] == 0) + !(paire[1] - paire[1] == 0);
    litteral(TEXTURE1);
    nombre(paire[0]);
    litteral(TEXTURE2);
    nombre(paire[1]);
    litteral(TEXTUREFIN);
}

// The writer's numbers all come from floats: below 128 + 128 FLT_MAX in magnitude, 41 integer
// digits at most, so "%f" writes at most 49 characters for one (sign, digits, point, six
// decimals; "-inf" and "-nan" are shorter).
constexpr size_t MAXNOMBRE = 49;
// Every face block is written into one reservation: a textured block, the longer one, has 15
// numbers (nine vertex values, six texture values) and the text of its eight lines around them.
constexpr size_t TEXTEBLOC =
    PAQUETTEXTURE.longueur + PAQUETTEXTURE3.longueur +
    3 * (sizeof SOMMETX + sizeof SOMMETY + sizeof SOMMETZ + sizeof SOMMETFIN) +
    3 * (sizeof TEXTURE1 + sizeof TEXTURE2 + sizeof TEXTUREFIN);
constexpr size_t BLOC = 4096;
// The words of a face block: its command words and their parameters.
constexpr int MOTSFACE = 1 + 3 * parametres(VTX_16);
constexpr int MOTSFACETEXTURE = 2 + 3 * (parametres(TEXCOORD) + parametres(VTX_16));
// formaterreel asks for 330 characters of room wherever it writes, the last number too.
static_assert(BLOC >= TEXTEBLOC + 14 * MAXNOMBRE + 330, "a face block must fit its reservation");

} // namespace

int formaterreel(char *texte, double valeur) {
    // The sign without a branch: a sign is as likely as none.
    char *p = texte;
    *p = '-';
    p += std::signbit(valeur);
    const double a = std::fabs(valeur);
    // Below 2^32 (NaN fails the test): the integer part and the fraction, both exact, and the
    // fraction's millionths rounded from its exact product by 10^6, in double arithmetic.
    if (a < 0x1p32) {
        // Through signed integers, which the processor converts in one instruction each.
        const int64_t partieentiere = static_cast<int64_t>(a);
        const double fraction = a - static_cast<double>(partieentiere);
        uint64_t entier = static_cast<uint64_t>(partieentiere);
        uint64_t millioniemes = 0;
        // Below 2^-30 the product is under 0.001: 0 millionths.
        if (fraction >= 0x1p-30) {
            // The fraction as haut + bas, 26 and 27 significant bits: each times 10^6 (14
            // significant bits and a power of two) is exact, and so is their sum as t + erreur.
            uint64_t bits;
            std::memcpy(&bits, &fraction, sizeof bits);
            bits &= ~((1ull << 27) - 1);
            double haut;
            std::memcpy(&haut, &bits, sizeof haut);
            const double bas = (fraction - haut) * 1e6;
            haut *= 1e6;
            const double t = haut + bas;
            const double erreur = bas - (t - haut);
            // The nearest integer to t, ties to even; t's distance to it is a multiple of t's
            // unit, so only a half can be moved across by the error.
            const double r = (t + 0x1p52) - 0x1p52;
            const double d = t - r;
            millioniemes = static_cast<uint64_t>(static_cast<int64_t>(r));
            if (d == 0.5 && erreur > 0)
                ++millioniemes;
            else if (d == -0.5 && erreur < 0)
                --millioniemes;
            if (millioniemes == 1000000) {
                ++entier;
                millioniemes = 0;
            }
        }
        if (entier < 1000) {
            // One to three digits, copied whole from a table, without a branch on their number.
            std::memcpy(p, entiers.chiffres[entier], 4);
            p += entiers.longueur[entier];
        } else {
            char ecrits[24];
            char *debut = chiffres(ecrits + sizeof ecrits, entier);
            const size_t longueur = static_cast<size_t>(ecrits + sizeof ecrits - debut);
            std::memcpy(p, debut, longueur);
            p += longueur;
        }
        const uint32_t fraction6 = static_cast<uint32_t>(millioniemes);
        *p = '.';
        std::memcpy(p + 1, paires + 2 * (fraction6 / 10000), 2);
        std::memcpy(p + 3, paires + 2 * (fraction6 / 100 % 100), 2);
        std::memcpy(p + 5, paires + 2 * (fraction6 % 100), 2);
        return static_cast<int>(p + 7 - texte);
    }
    if (std::isnan(a)) {
        std::memcpy(p, "nan", 3);
        return static_cast<int>(p + 3 - texte);
    }
    if (std::isinf(a)) {
        std::memcpy(p, "inf", 3);
        return static_cast<int>(p + 3 - texte);
    }
    // Large values print all their integer digits; the library formats them exactly.
    const auto r = std::to_chars(p, texte + 330, a, std::chars_format::fixed, 6);
    return static_cast<int>(r.ptr - texte);
}

constexpr size_t ENTETE = 128; // the header but its name: "u32 ", "[] = {", 11 digits, the end
static_assert(ENTETE >= sizeof "u32 [] = {" + 11 + FINENTETE.longueur + 1);

void ecrireentete(FILE *sortie, const char *nomtableau, int32_t motcompte) {
    reserver(sortie, ENTETE);
    litteral("u32 ");
    // A name of any length: one that does not fit the buffer with the header goes to the stream
    // by itself.
    const size_t nom = std::strlen(nomtableau);
    if (nom > sizeof tampon - rempli - ENTETE) {
        vider();
        std::fwrite(nomtableau, 1, nom, sortie);
    } else {
        ajouter(nomtableau, nom);
    }
    bilan.mots += 3;
    litteral("[] = {");
    char entier[16];
    const auto r = std::to_chars(entier, entier + sizeof entier, motcompte);
    ajouter(entier, static_cast<size_t>(r.ptr - entier));
    litteral(FINENTETE);
}

void ecrireface(FILE *sortie, const float a[3], const float b[3], const float c[3]) {
    reserver(sortie, BLOC);
    ++bilan.triangles;
    bilan.mots += MOTSFACE;
    litteral(PAQUETSOMMETS);
    for (const float *p : {a, b, c}) {
        double v[3];
        modele::pointliste(p, v);
        ecrirevertex(v[0], v[1], v[2]);
    }
}

void ecrirefacesommets(FILE *sortie, const float a[3], const float b[3], const float c[3]) {
    reserver(sortie, BLOC);
    ++bilan.triangles;
    bilan.mots += MOTSFACE;
    litteral(PAQUETSOMMETS);
    for (const float *p : {a, b, c})
        ecrirevertex(p[0], p[1], p[2]);
}

void ecrirefacepaires(FILE *sortie, const float face[9], const double couples[6]) {
    reserver(sortie, BLOC);
    ++bilan.triangles;
    bilan.mots += MOTSFACETEXTURE;
    litteral(PAQUETTEXTURE);
    ecriretexture(couples);
    ecrirevertex(face[0], face[1], face[2]);
    ecriretexture(couples + 2);
    ecrirevertex(face[3], face[4], face[5]);
    litteral(PAQUETTEXTURE3);
    ecriretexture(couples + 4);
    ecrirevertex(face[6], face[7], face[8]);
}

void ecrirefacetexture(FILE *sortie, const float face[9], const float ta[2], const float tb[2],
                       const float tc[2]) {
    double couples[6];
    int k = 0;
    for (const float *t : {ta, tb, tc}) {
        modele::paire(t, couples[k], couples[k + 1]);
        k += 2;
    }
    ecrirefacepaires(sortie, face, couples);
}

void ecrirefin(FILE *sortie) {
    static_assert(128 >= PAQUETFIN.longueur + sizeof "};");
    reserver(sortie, 128);
    ++bilan.mots;
    litteral(PAQUETFIN);
    litteral("};");
    vider();
    destination = nullptr;
}

Bilan prendrebilan() {
    const Bilan b = bilan;
    bilan = {};
    return b;
}

int32_t motcompte(int32_t nombrepoint, bool avectexture) {
    const int64_t mots =
        (avectexture ? MOTSFACETEXTURE : MOTSFACE) * static_cast<int64_t>(nombrepoint) / 3 + 4;
    if (mots > INT32_MAX) return INT32_MAX;
    if (mots < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(mots);
}
