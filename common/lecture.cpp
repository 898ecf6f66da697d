#include "lecture.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

char tampon[TAILLELECTURE];

constexpr std::array<bool, 256> tableblancs() {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<size_t>(c)] = estblanc(c);
    return table;
}
constexpr std::array<bool, 256> blancs = tableblancs();

inline bool blanc(int c) {
    return blancs[static_cast<size_t>(c)];
}

bool chiffre(int c) {
    return c >= '0' && c <= '9';
}

int valeurhexa(int c) {
    if (chiffre(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int minuscule(int c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

bool remplir(Lecteur &l) {
    l.debut += l.fin - tampon;
    const size_t n = std::fread(tampon, 1, sizeof tampon, l.flux);
    l.courant = tampon;
    l.fin = tampon + n;
    if (n == 0) l.epuise = true;
    return n > 0;
}

// The next character without taking it, or EOF.
inline int regarder(Lecteur &l) {
    if (l.courant == l.fin && !remplir(l)) return EOF;
    return static_cast<unsigned char>(*l.courant);
}

inline void prendre(Lecteur &l) {
    ++l.courant;
}

// Every conversion but "%c" first skips white space; false at the end of the input.
bool sauterblancs(Lecteur &l) {
    for (;;) {
        while (l.courant < l.fin && blanc(static_cast<unsigned char>(*l.courant)))
            ++l.courant;
        if (l.courant < l.fin) return true;
        if (!remplir(l)) return false;
    }
}

// The digits of a real number as read: at most MAXCHIFFRES significant ones are kept, the rest
// only count for the position of the point and, when not zero, as a sticky last digit. That is
// enough for strtof to round exactly as it would on the whole text, in bounded memory.
constexpr int MAXCHIFFRES = 160;

struct Reel {
    bool negatif = false;
    bool hexa = false;
    char chiffres[MAXCHIFFRES + 2];
    int nombre = 0;         // significant digits kept
    bool colle = false;     // a non-zero digit was dropped
    bool chiffrelu = false; // at least one digit of the mantissa
    long long decalage = 0; // digits before the point, among those significant or dropped
    bool exposant = false;  // an exponent with at least one digit
    bool exposantnegatif = false;
    long long valeurexposant = 0;
};

void ajouterchiffre(Reel &r, int c, bool avantpoint) {
    r.chiffrelu = true;
    if (r.nombre == 0 && c == '0') {
        // A leading zero only moves the point.
        if (!avantpoint) --r.decalage;
        return;
    }
    if (avantpoint) ++r.decalage;
    if (r.nombre < MAXCHIFFRES)
        r.chiffres[r.nombre++] = static_cast<char>(c);
    else if (c != '0')
        r.colle = true;
}

constexpr double puissances[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The float strtof gives for m times 10^exposant10 (m below 2^53), without strtof when the double
// is exact enough: m and a power of ten up to 10^22 give the double correctly rounded, and
// rounding that double to float is exact unless it lies on the midpoint of two floats.
bool flottantexact(uint64_t m, long long exposant10, bool negatif, float &resultat) {
    if (exposant10 < -22 || exposant10 > 22) return false;
    double d = static_cast<double>(m);
    d = exposant10 < 0 ? d / puissances[-exposant10] : d * puissances[exposant10];
    if (d != 0 && (d < 0x1p-125 || d > 0x1p127)) return false;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    if ((bits & 0x1fffffff) == 0x10000000) return false;
    resultat = static_cast<float>(negatif ? -d : d);
    return true;
}

// The same for the digits kept, when they are at most 15 and none was dropped.
bool rapide(const Reel &r, long long exposant10, float &resultat) {
    if (r.colle || r.nombre > 15) return false;
    uint64_t m = 0;
    for (int i = 0; i < r.nombre; ++i)
        m = m * 10 + static_cast<uint64_t>(r.chiffres[i] - '0');
    return flottantexact(m, exposant10, r.negatif, resultat);
}

float valeur(const Reel &r) {
    if (r.nombre == 0) return r.negatif ? -0.0f : 0.0f;
    const long long exposant =
        r.exposant ? (r.exposantnegatif ? -r.valeurexposant : r.valeurexposant) : 0;
    // The value is 0.DIGITS times the base to the power decalage (hexadecimal digits count 4
    // binary places), times 10 or 2 to the exponent.
    if (!r.hexa) {
        float f;
        if (rapide(r, exposant + r.decalage - r.nombre, f)) return f;
    }
    char texte[MAXCHIFFRES + 64];
    int n = std::snprintf(texte, sizeof texte, "%s0%s.", r.negatif ? "-" : "", r.hexa ? "x" : "");
    std::memcpy(texte + n, r.chiffres, static_cast<size_t>(r.nombre));
    n += r.nombre;
    if (r.colle) texte[n++] = '1';
    std::snprintf(texte + n, sizeof texte - static_cast<size_t>(n), "%c%lld", r.hexa ? 'p' : 'e',
                  exposant + (r.hexa ? 4 : 1) * r.decalage);
    return std::strtof(texte, nullptr);
}

// "nan", "inf" or "infinity", any case, after the first letter. A letter that does not fit ends
// the read as a failure, taken from the input.
bool lirenom(Lecteur &l, const char *suite) {
    for (const char *s = suite; *s; ++s) {
        const int c = regarder(l);
        if (c == EOF) return false;
        prendre(l);
        if (minuscule(c) != *s) return false;
    }
    return true;
}

// The common case of a real, [sign]digits[.digits] with at most 15 significant digits, ending
// inside the buffer on a character that no reading of a number would take, and exact as
// flottantexact finds it; false (nothing taken) for anything else, which the general machine
// reads. The digits are summed as they come, without the general machine's bookkeeping.
bool reelsimple(Lecteur &l, float &destination) {
    const char *p = l.courant;
    const bool negatif = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (p + 1 < l.fin && *p == '0' && minuscule(static_cast<unsigned char>(p[1])) == 'x')
        return false;
    uint64_t m = 0;
    int significatifs = 0; // digits from the first non-zero one; m may wrap past 19, then unused
    const char *debut = p;
    for (; p < l.fin && chiffre(static_cast<unsigned char>(*p)); ++p) {
        m = m * 10 + static_cast<uint64_t>(*p - '0');
        significatifs += m != 0;
    }
    bool chiffrelu = p > debut;
    ptrdiff_t decimales = 0;
    if (p < l.fin && *p == '.') {
        debut = ++p;
        for (; p < l.fin && chiffre(static_cast<unsigned char>(*p)); ++p) {
            m = m * 10 + static_cast<uint64_t>(*p - '0');
            significatifs += m != 0;
        }
        decimales = p - debut;
        chiffrelu = chiffrelu || decimales > 0;
    }
    if (p >= l.fin || !chiffrelu || significatifs > 15) return false;
    if (minuscule(static_cast<unsigned char>(*p)) == 'e') return false;
    if (!flottantexact(m, -decimales, negatif, destination)) return false;
    l.courant = p;
    return true;
}

} // namespace

void ouvrirlecteur(Lecteur &l, FILE *flux) {
    l.flux = flux;
    l.courant = l.fin = tampon;
    l.debut = 0;
    l.epuise = false;
}

long long position(const Lecteur &l) {
    return l.debut + (l.courant - tampon);
}

bool correspondre(Lecteur &l, const char *texte) {
    // The text found as it stands in the buffer is taken at once: a blank inside it matched
    // exactly the white space there was, since a plain character follows; only a blank at its end
    // may have more white space to take.
    const size_t n = std::strlen(texte);
    if (n > 0 && static_cast<size_t>(l.fin - l.courant) >= n && std::memcmp(l.courant, texte, n) == 0) {
        l.courant += n;
        if (blanc(static_cast<unsigned char>(texte[n - 1]))) sauterblancs(l);
        return true;
    }
    for (const char *t = texte; *t; ++t) {
        if (blanc(static_cast<unsigned char>(*t))) {
            sauterblancs(l);
            continue;
        }
        if (regarder(l) != static_cast<unsigned char>(*t)) return false;
        prendre(l);
    }
    return true;
}

char *liremot(Lecteur &l) {
    if (!sauterblancs(l)) return nullptr;
    size_t taille = 0, capacite = 64;
    char *mot = static_cast<char *>(std::malloc(capacite));
    for (;;) {
        const char *debut = l.courant;
        while (l.courant < l.fin && !blanc(static_cast<unsigned char>(*l.courant)))
            ++l.courant;
        size_t n = static_cast<size_t>(l.courant - debut);
        if (mot != nullptr && taille + n + 1 > capacite) {
            size_t nouvelle = capacite;
            while (taille + n + 1 > nouvelle)
                nouvelle *= 2;
            // Without memory the word is still read whole, and kept as far as it fits.
            if (char *plus = static_cast<char *>(std::realloc(mot, nouvelle))) {
                mot = plus;
                capacite = nouvelle;
            } else {
                n = capacite - taille - 1;
            }
        }
        if (mot != nullptr) std::memcpy(mot + taille, debut, n);
        taille += n;
        if (l.courant < l.fin || !remplir(l)) break;
    }
    if (mot != nullptr) mot[taille] = '\0';
    return mot;
}

long lireitem(Lecteur &l, char *item, size_t taille) {
    if (!sauterblancs(l)) {
        if (taille > 0) item[0] = '\0';
        return -1;
    }
    size_t longueur = 0, garde = 0;
    for (;;) {
        const char *debut = l.courant;
        while (l.courant < l.fin && !blanc(static_cast<unsigned char>(*l.courant)))
            ++l.courant;
        const size_t n = static_cast<size_t>(l.courant - debut);
        const size_t place = taille > garde + 1 ? taille - garde - 1 : 0;
        std::memcpy(item + garde, debut, n < place ? n : place);
        garde += n < place ? n : place;
        longueur = n < taille - longueur ? longueur + n : taille;
        if (l.courant < l.fin || !remplir(l)) break;
    }
    if (taille > 0) item[garde] = '\0';
    return static_cast<long>(longueur);
}

const char *lireitemsurplace(Lecteur &l, char *item, size_t taille, long &longueur) {
    if (sauterblancs(l)) {
        const char *debut = l.courant;
        const char *p = debut;
        while (p < l.fin && !blanc(static_cast<unsigned char>(*p)))
            ++p;
        if (p < l.fin) {
            l.courant = p;
            const size_t n = static_cast<size_t>(p - debut);
            longueur = static_cast<long>(n < taille ? n : taille);
            return debut;
        }
    }
    longueur = lireitem(l, item, taille);
    return item;
}

namespace {

// The common case, a decimal integer of at most 9 digits that ends inside the buffer, without
// the general machine; false (nothing taken) for anything else.
bool entiersimple(Lecteur &l, int32_t &destination) {
    const char *p = l.courant;
    const bool negatif = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    const char *debut = p;
    if (p >= l.fin || *p < '1' || *p > '9') return false;
    int32_t valeur = 0;
    while (p < l.fin && chiffre(static_cast<unsigned char>(*p)) && p - debut < 9)
        valeur = valeur * 10 + (*p++ - '0');
    if (p >= l.fin || chiffre(static_cast<unsigned char>(*p))) return false;
    destination = negatif ? -valeur : valeur;
    l.courant = p;
    return true;
}

} // namespace

bool lireentier(Lecteur &l, int32_t &destination) {
    if (!sauterblancs(l)) return false;
    if (entiersimple(l, destination)) return true;
    int c = regarder(l);
    bool negatif = false, chiffrelu = false;
    if (c == '-' || c == '+') {
        negatif = c == '-';
        prendre(l);
        c = regarder(l);
    }
    int base = 10;
    if (c == '0') {
        prendre(l);
        chiffrelu = true;
        c = regarder(l);
        if (minuscule(c) == 'x') {
            // "0x" is taken even when no hexadecimal digit follows: the value is then 0.
            base = 16;
            prendre(l);
            c = regarder(l);
        } else {
            base = 8;
        }
    }
    // The magnitude, held just past the 32-bit range: beyond it only the sign matters.
    uint64_t magnitude = 0;
    for (;;) {
        const int v = base == 16 ? valeurhexa(c) : chiffre(c) ? c - '0' : -1;
        if (v < 0 || v >= base) break;
        chiffrelu = true;
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(v);
        if (magnitude > (1ull << 32)) magnitude = 1ull << 32;
        prendre(l);
        c = regarder(l);
    }
    if (!chiffrelu) return false;
    if (negatif)
        destination = magnitude >= (1ull << 31) ? INT32_MIN : -static_cast<int32_t>(magnitude);
    else
        destination = magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
    return true;
}

bool lirereel(Lecteur &l, float &destination) {
    if (!sauterblancs(l)) return false;
    if (reelsimple(l, destination)) return true;
    Reel r;
    int c = regarder(l);
    if (c == '-' || c == '+') {
        r.negatif = c == '-';
        prendre(l);
        c = regarder(l);
        if (c == EOF) return false;
    }
    if (minuscule(c) == 'n') {
        prendre(l);
        if (!lirenom(l, "an")) return false;
        destination = r.negatif ? -std::nanf("") : std::nanf("");
        return true;
    }
    if (minuscule(c) == 'i') {
        prendre(l);
        if (!lirenom(l, "nf")) return false;
        // "infinity" is taken whole once its fourth letter is there; "inf" alone otherwise.
        if (minuscule(regarder(l)) == 'i') {
            prendre(l);
            if (!lirenom(l, "nity")) return false;
        }
        destination = r.negatif ? -HUGE_VALF : HUGE_VALF;
        return true;
    }
    long long caracteres = 0; // taken after the sign
    bool point = false, exposant = false, chiffre0 = false;
    int avantexposant = 0; // last character taken was the exponent letter
    int lettreexposant = 'e';
    if (c == '0') {
        prendre(l);
        ++caracteres;
        c = regarder(l);
        if (minuscule(c) == 'x') {
            r.hexa = true;
            lettreexposant = 'p';
            prendre(l);
            ++caracteres;
            c = regarder(l);
        } else {
            chiffre0 = true;
            ajouterchiffre(r, '0', true);
        }
    }
    bool chiffrelu = chiffre0;
    for (;; c = regarder(l)) {
        if (c == EOF) break;
        if (!exposant && (chiffre(c) || (r.hexa && valeurhexa(c) >= 0))) {
            ajouterchiffre(r, c, !point);
            chiffrelu = true;
        } else if (exposant && chiffre(c)) {
            r.exposant = true;
            if (r.valeurexposant < 1000000000) r.valeurexposant = r.valeurexposant * 10 + (c - '0');
        } else if (exposant && avantexposant && (c == '-' || c == '+')) {
            r.exposantnegatif = c == '-';
        } else if (chiffrelu && !exposant && minuscule(c) == lettreexposant) {
            exposant = true;
            point = true;
        } else if (!point && c == '.') {
            point = true;
        } else {
            break;
        }
        avantexposant = exposant && minuscule(c) == lettreexposant;
        prendre(l);
        ++caracteres;
    }
    // Nothing but a sign, or "0x" alone: no number.
    if (caracteres == 0 || (r.hexa && caracteres == 2)) return false;
    // A point without digits ("." or "-."): strtof converts nothing.
    if (!chiffrelu && !r.hexa) return false;
    destination = valeur(r);
    return true;
}
