#include "maillage.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "ecriture.h"
#include "lecturemodele.h"
#include "matieres.h"
#include "obj.h"
#include "systeme.h"

namespace maillage {

Options options = {false, false, 60, false, false, 1, false, false};
alignas(ALIGNEMENTTABLE) Sommet sommets[MAXSOMMETS];
int32_t nsommets;
alignas(ALIGNEMENTTABLE) int32_t triangles[CAPACITE][3];
int32_t ntriangles;
Quad quads[CAPACITE / 2];
int32_t nquads;
bool texturee, eclairee, coloree;
int exposant;
bool demandee;
long long horslimites, nonfinis, horstexture;
double plusgrande;

bool nouvelleforme() {
    return demandee || options.normales || options.couleurs || options.compacte ||
           options.echelle != 1 || options.ajuster || options.binaire;
}

void decrire(char *texte, size_t taille) {
    char angle[32] = "", echelle[40] = "--echelle=ajuster";
    std::to_chars_result r = std::to_chars(angle, angle + sizeof angle - 1, options.angle);
    *r.ptr = '\0';
    if (!options.ajuster) {
        r = std::to_chars(echelle + 10, echelle + sizeof echelle - 1, options.echelle);
        *r.ptr = '\0';
    }
    const char *morceaux[] = {
        !options.normales ? "" : options.plates ? " --normales=plates" : " --normales=lisses",
        options.normales && !options.plates ? " --angle=" : "",
        options.normales && !options.plates ? angle : "",
        options.couleurs ? " --couleurs" : "",
        options.compacte ? " --compacte" : "",
        options.ajuster || options.echelle != 1 ? " " : "",
        options.ajuster || options.echelle != 1 ? echelle : "",
    };
    size_t n = 0;
    texte[0] = '\0';
    for (const char *m : morceaux)
        if (n < taille) n += static_cast<size_t>(std::snprintf(texte + n, taille - n, "%s", m));
    // Without the first blank.
    if (texte[0] == ' ') std::memmove(texte, texte + 1, std::strlen(texte));
}

int16_t virgulefixe(double valeur, int bits, bool &hors) {
    hors = false;
    if (!std::isfinite(valeur)) return 0;
    char texte[331];
    const int n = formaterreel(texte, valeur);
    int64_t entier;
    if (std::fabs(valeur) < 0x1p20) {
        // "%f" writes N millionths; the DS takes strtod of that text, the double nearest
        // N / 10^6, times 2^bits (exact), truncated. When N 2^bits / 10^6 is an integer, N / 10^6
        // is a multiple of 2^-bits below 2^21, exact as a double; when it is not, it lies at least
        // 10^-6 from every integer, and strtod's rounding moves it by at most 2^(20+12-53)
        // (2^-21 < 10^-6): the truncation is that of the exact quotient, in integers.
        const bool negatif = texte[0] == '-';
        int64_t millioniemes = 0;
        for (int i = negatif; i < n; ++i)
            if (texte[i] != '.') millioniemes = millioniemes * 10 + (texte[i] - '0');
        entier = (negatif ? -millioniemes : millioniemes) * (int64_t{1} << bits) / 1000000;
        hors = entier < INT16_MIN || entier > INT16_MAX;
    } else {
        texte[n] = '\0';
        const double t = std::trunc(std::ldexp(std::strtod(texte, nullptr), bits));
        hors = true;
        // The remainder by 2^16 is exact and keeps the 16 bits the cast keeps.
        entier = std::isfinite(t) ? static_cast<int64_t>(std::fmod(t, 65536.0)) : 0;
    }
    return static_cast<int16_t>(static_cast<uint16_t>(entier & 0xFFFF));
}

namespace {

// Which reader's tables construire takes the model from (construireobj and construiremodele set
// it), and the accessors over them. The text model's entries are its corners (3 i + c), the OBJ's
// its vertices.
enum Source { OBJ, MODELE };
Source source;

int32_t nentrees() {
    return source == OBJ ? obj::nsommets : 3 * lecturemodele::ntriangles;
}

int32_t entree(int32_t i, int c) {
    return source == OBJ ? obj::triangles[i].sommets[c] : 3 * i + c;
}

// The entry's position as today's list writes it.
void valeurs(int32_t j, double p[3]) {
    if (source == OBJ) {
        for (int k = 0; k < 3; ++k)
            p[k] = static_cast<double>(obj::sommets[j][k]);
        return;
    }
    const float *f = lecturemodele::triangles[j / 3].sommets + 3 * (j % 3);
    if (!lecturemodele::texturee) return modele::pointliste(f, p);
    for (int k = 0; k < 3; ++k)
        p[k] = static_cast<double>(f[k]);
}

void paire(int32_t i, int c, double &premier, double &second) {
    if (source == OBJ) return obj::paire(obj::triangles[i], c, premier, second);
    modele::paire(lecturemodele::triangles[i].textures + 2 * c, premier, second);
}

// The OBJ corner's vn, when it has a readable one of some length.
bool normaledonnee(int32_t i, int c, double n[3]) {
    if (source != OBJ) return false;
    const int32_t v = obj::triangles[i].normales[c];
    if (v < 0) return false;
    double longueur = 0;
    for (int k = 0; k < 3; ++k) {
        n[k] = static_cast<double>(obj::normales[v][k]);
        longueur += n[k] * n[k];
    }
    if (!(longueur > 0 && longueur < INFINITY)) return false;
    for (int k = 0; k < 3; ++k)
        n[k] /= std::sqrt(longueur);
    return true;
}

int32_t rgb15(const float rgb[3]) {
    int32_t mot = 0;
    for (int k = 0; k < 3; ++k) {
        const double c = static_cast<double>(rgb[k]) * 31;
        const long composante = c > 0 ? (c < 31 ? std::lround(c) : 31) : 0;
        mot |= static_cast<int32_t>(composante) << (5 * k);
    }
    return mot;
}

// The OBJ corner's colour: its vertex's when the model gives vertex colours (white for a vertex
// without), else its material's Kd, else none.
int32_t couleur(int32_t i, int c) {
    if (!options.couleurs || source != OBJ) return AUCUNE;
    const obj::Triangle &t = obj::triangles[i];
    if (obj::aveccouleurs) {
        static const float blanc[3] = {1, 1, 1};
        const float *rgb = obj::couleurs[t.sommets[c]];
        return rgb15(std::isnan(rgb[0]) ? blanc : rgb);
    }
    if (t.matiere >= 0 && matieres::table[t.matiere].aveckd)
        return rgb15(matieres::table[t.matiere].kd);
    return AUCUNE;
}

// Each entry's 4.12 position, and what its values count for the warnings: out of range (and
// the largest magnitude among those, before the scale), no number. fixer fills them for every
// entry of the model being built.
struct Fixe {
    int16_t p[3];
    uint8_t hors, nonfinis;
    double grandeur;
};
alignas(ALIGNEMENTTABLE) Fixe fixes[MAXSOMMETS];

// The factor every value is multiplied by: --echelle, and with ajuster 2^-exposant; set by
// choisirexposant for each model.
double facteur;

void choisirexposant() {
    exposant = 0;
    facteur = options.echelle;
    if (!options.ajuster) return;
    // The ends of the values the triangles use: an OBJ vertex no face names is not drawn.
    double plushaut = 0, plusbas = 0;
    for (int32_t coin = 0; coin < 3 * ntriangles; ++coin) {
        double p[3];
        valeurs(entree(coin / 3, coin % 3), p);
        for (double v : p) {
            v *= options.echelle;
            if (!std::isfinite(v)) continue;
            plushaut = v > plushaut ? v : plushaut;
            plusbas = v < plusbas ? v : plusbas;
        }
    }
    // The smallest power that keeps both ends in range keeps the most digits.
    for (exposant = -12; exposant < 12; ++exposant) {
        bool haut, bas;
        virgulefixe(std::ldexp(plushaut, -exposant), 12, haut);
        virgulefixe(std::ldexp(plusbas, -exposant), 12, bas);
        if (!haut && !bas) break;
    }
    facteur = std::ldexp(options.echelle, -exposant);
}

void fixer() {
    for (int32_t j = 0, n = nentrees(); j < n; ++j) {
        double p[3];
        valeurs(j, p);
        Fixe &f = fixes[j];
        f.hors = f.nonfinis = 0;
        f.grandeur = 0;
        for (int k = 0; k < 3; ++k) {
            bool hors;
            f.p[k] = virgulefixe(p[k] * facteur, 12, hors);
            f.nonfinis += !std::isfinite(p[k] * facteur);
            f.hors += hors && std::isfinite(p[k] * facteur);
            if (hors && std::fabs(p[k]) > f.grandeur) f.grandeur = std::fabs(p[k]);
        }
    }
}

// An open-addressing table of positions in some array, -1 empty: built for the corners'
// positions, then for the vertices, each emptied first by vidertable, which sets its size
// (2^bitstable, at least twice the entries).
constexpr int BITSTABLE = 23;
static_assert((1 << BITSTABLE) >= 2 * MAXSOMMETS);
int32_t table[1 << BITSTABLE];
int bitstable;

void vidertable(int64_t entrees) {
    bitstable = 4;
    while ((int64_t{1} << bitstable) < 2 * entrees)
        ++bitstable;
    std::memset(table, 0xFF, sizeof(int32_t) << bitstable);
}

uint64_t melanger(uint64_t a, uint64_t b) {
    return ((a ^ (b * 0x9E3779B97F4A7C15ull)) * 0xD6E8FEB86659FD93ull) >> (64 - bitstable);
}

uint64_t cleposition(const int16_t p[3]) {
    return static_cast<uint64_t>(static_cast<uint16_t>(p[0])) |
           static_cast<uint64_t>(static_cast<uint16_t>(p[1])) << 16 |
           static_cast<uint64_t>(static_cast<uint16_t>(p[2])) << 32;
}

// Smoothing, filled by normales and grouper for each model: the corners grouped by their 4.12
// position (groupe: each corner's group, representant: a corner of each group; the corners of
// group g are ordre[debut[g]] to ordre[debut[g + 1] - 1]), and each face's normal, (b - a) x
// (c - a), as long as twice its area, and that normal made unit (0 for no area).
int32_t groupe[MAXSOMMETS], ordre[MAXSOMMETS], debut[MAXSOMMETS + 1], representant[MAXSOMMETS];
double normaleface[CAPACITE][3], unitaireface[CAPACITE][3];

// A point where more corners meet than this (a fan's hub) takes each face's own normal:
// comparing every pair of its faces would cost the square of their number.
constexpr int32_t MAXGROUPE = 512;

int32_t grouper(int32_t ncoins) {
    vidertable(ncoins);
    int32_t ngroupes = 0;
    for (int32_t coin = 0; coin < ncoins; ++coin) {
        const int16_t *p = fixes[entree(coin / 3, coin % 3)].p;
        const uint64_t cle = cleposition(p);
        uint64_t h = melanger(cle, 0);
        for (;; h = (h + 1) & ((uint64_t{1} << bitstable) - 1)) {
            int32_t &g = table[h];
            if (g < 0) {
                representant[ngroupes] = coin;
                debut[ngroupes] = 0;
                g = ngroupes++;
            }
            const int32_t r = representant[g];
            if (cleposition(fixes[entree(r / 3, r % 3)].p) == cle) {
                groupe[coin] = g;
                ++debut[g];
                break;
            }
        }
    }
    // The counts become the groups' ends, then their starts as the corners are placed.
    for (int32_t g = 1; g < ngroupes; ++g)
        debut[g] += debut[g - 1];
    debut[ngroupes] = ncoins;
    for (int32_t coin = ncoins - 1; coin >= 0; --coin)
        ordre[--debut[groupe[coin]]] = coin;
    return ngroupes;
}

void unitaire(const double n[3], double u[3]) {
    const double l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int k = 0; k < 3; ++k)
        u[k] = l > 0 ? n[k] / l : 0;
}

int32_t motnormale(const double u[3]) {
    int32_t mot = 0;
    for (int k = 0; k < 3; ++k) {
        // A face of values that are no number has no direction: 0.
        const double c = std::nearbyint(u[k] * 512);
        const int32_t q = c > 511 ? 511 : c < -512 ? -512 : c == c ? static_cast<int32_t>(c) : 0;
        mot |= (q & 0x3FF) << (10 * k);
    }
    return mot;
}

// Each corner's NORMAL word into sommets[corner].normale.
void normales(int32_t ncoins) {
    for (int32_t i = 0; i < ntriangles; ++i) {
        double p[3][3];
        for (int c = 0; c < 3; ++c)
            valeurs(entree(i, c), p[c]);
        double u[3], v[3];
        for (int k = 0; k < 3; ++k) {
            u[k] = p[1][k] - p[0][k];
            v[k] = p[2][k] - p[0][k];
        }
        normaleface[i][0] = u[1] * v[2] - u[2] * v[1];
        normaleface[i][1] = u[2] * v[0] - u[0] * v[2];
        normaleface[i][2] = u[0] * v[1] - u[1] * v[0];
        unitaire(normaleface[i], unitaireface[i]);
    }
    const double cosinus = std::cos(options.angle * std::numbers::pi / 180);
    const int32_t ngroupes = options.plates ? 0 : grouper(ncoins);
    for (int32_t coin = 0; coin < ncoins; ++coin) {
        const int32_t f = coin / 3;
        double n[3];
        if (normaledonnee(f, coin % 3, n)) {
            sommets[coin].normale = motnormale(n);
            continue;
        }
        const double *propre = unitaireface[f];
        const int32_t g = ngroupes > 0 ? groupe[coin] : 0;
        if (ngroupes == 0 || debut[g + 1] - debut[g] > MAXGROUPE) {
            sommets[coin].normale = motnormale(propre);
            continue;
        }
        // A face of no area takes the faces around it, whatever their angle.
        const bool degeneree = propre[0] == 0 && propre[1] == 0 && propre[2] == 0;
        double somme[3] = {0, 0, 0};
        for (int32_t k = debut[g]; k < debut[g + 1]; ++k) {
            const double *autre = normaleface[ordre[k] / 3], *ua = unitaireface[ordre[k] / 3];
            if (ordre[k] / 3 != f && !degeneree &&
                !(propre[0] * ua[0] + propre[1] * ua[1] + propre[2] * ua[2] > cosinus))
                continue;
            for (int j = 0; j < 3; ++j)
                somme[j] += autre[j];
        }
        unitaire(somme, n);
        sommets[coin].normale = motnormale(n[0] == 0 && n[1] == 0 && n[2] == 0 ? propre : n);
    }
}

bool memesommet(const Sommet &a, const Sommet &b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.t == b.t && a.s == b.s &&
           a.normale == b.normale && a.couleur == b.couleur;
}

uint64_t hacher(const Sommet &s) {
    const uint64_t a = static_cast<uint64_t>(static_cast<uint16_t>(s.x)) |
                       static_cast<uint64_t>(static_cast<uint16_t>(s.y)) << 16 |
                       static_cast<uint64_t>(static_cast<uint16_t>(s.z)) << 32 |
                       static_cast<uint64_t>(static_cast<uint16_t>(s.t)) << 48;
    const uint64_t b = static_cast<uint64_t>(static_cast<uint16_t>(s.s)) ^
                       static_cast<uint64_t>(static_cast<uint32_t>(s.normale)) << 16 ^
                       static_cast<uint64_t>(static_cast<uint32_t>(s.couleur)) << 34;
    return melanger(a, b);
}

// Every corner's vertex once: sommets holds the corners, 3 i + c, and is compacted in place
// (a vertex kept never moves up), triangles naming the vertices kept.
void fusionner(int32_t ncoins) {
    vidertable(ncoins);
    nsommets = 0;
    const uint64_t masque = (uint64_t{1} << bitstable) - 1;
    for (int32_t coin = 0; coin < ncoins; ++coin) {
        const Sommet s = sommets[coin];
        for (uint64_t h = hacher(s);; h = (h + 1) & masque) {
            if (table[h] < 0) {
                sommets[nsommets] = s;
                table[h] = nsommets++;
            }
            if (memesommet(sommets[table[h]], s)) {
                triangles[coin / 3][coin % 3] = table[h];
                break;
            }
        }
    }
}

// Whether the quad a, b, c, d (in its winding) is planar and convex in the 4.12 integers. Planar:
// its two diagonals pass within one unit (1/4096) of each other, as the DS's rounding of the
// model makes most exported quads only so; convex: every corner turns the same way as the quad,
// seen along the axis its normal is closest to.
bool quadplan(const Sommet *const coins[4]) {
    int64_t p[4][3];
    for (int k = 0; k < 4; ++k) {
        p[k][0] = coins[k]->x;
        p[k][1] = coins[k]->y;
        p[k][2] = coins[k]->z;
    }
    int64_t e[3], f[3], g[3], n[3], m[3];
    for (int k = 0; k < 3; ++k) {
        e[k] = p[2][k] - p[0][k];
        f[k] = p[3][k] - p[1][k];
        g[k] = p[1][k] - p[0][k];
    }
    for (int k = 0; k < 3; ++k) {
        n[k] = e[(k + 1) % 3] * f[(k + 2) % 3] - e[(k + 2) % 3] * f[(k + 1) % 3];
        m[k] = e[(k + 1) % 3] * (p[3][(k + 2) % 3] - p[0][(k + 2) % 3]) -
               e[(k + 2) % 3] * (p[3][(k + 1) % 3] - p[0][(k + 1) % 3]);
    }
    // (b - a) . ((c - a) x (d - a)): the diagonals' distance times their cross product's length.
    const double volume = static_cast<double>(g[0] * m[0] + g[1] * m[1] + g[2] * m[2]);
    double longueur = 0;
    for (int64_t c : n)
        longueur += static_cast<double>(c) * static_cast<double>(c);
    if (longueur == 0 || volume * volume > longueur) return false;
    int axe = 0;
    for (int k = 1; k < 3; ++k)
        if (std::llabs(n[k]) > std::llabs(n[axe])) axe = k;
    const int u = (axe + 1) % 3, v = (axe + 2) % 3;
    for (int k = 0; k < 4; ++k) {
        const int64_t *a = p[k], *b = p[(k + 1) % 4], *c = p[(k + 2) % 4];
        const int64_t tour = (b[u] - a[u]) * (c[v] - b[v]) - (b[v] - a[v]) * (c[u] - b[u]);
        if (tour == 0 || (tour > 0) != (n[axe] > 0)) return false;
    }
    return true;
}

void garderquads() {
    nquads = 0;
    if (source != OBJ) return;
    for (int32_t q = 0; q < obj::nquads; ++q) {
        const obj::Quad &o = obj::quads[q];
        Quad quad = {o.premier, {}};
        const Sommet *coins[4];
        bool complet = true;
        for (int k = 0; k < 4; ++k) {
            complet = complet && o.coins[k] >= 0;
            if (!complet) break;
            quad.coins[k] = triangles[o.premier + o.coins[k] / 3][o.coins[k] % 3];
            coins[k] = &sommets[quad.coins[k]];
        }
        if (complet && quadplan(coins)) quads[nquads++] = quad;
    }
}

void construire() {
    horslimites = nonfinis = horstexture = 0;
    plusgrande = 0;
    texturee = source == OBJ ? obj::texturees > 0 : lecturemodele::texturee;
    eclairee = options.normales;
    ntriangles = source == OBJ ? obj::ntriangles : lecturemodele::ntriangles;
    choisirexposant();
    fixer();
    const int32_t ncoins = 3 * ntriangles;
    coloree = false;
    for (int32_t coin = 0; coin < ncoins; ++coin) {
        const int32_t i = coin / 3;
        const int c = coin % 3;
        const Fixe &f = fixes[entree(i, c)];
        horslimites += f.hors;
        nonfinis += f.nonfinis;
        plusgrande = f.hors > 0 && f.grandeur > plusgrande ? f.grandeur : plusgrande;
        Sommet &s = sommets[coin];
        s = {f.p[0], f.p[1], f.p[2], 0, 0, AUCUNE, couleur(i, c)};
        coloree = coloree || s.couleur != AUCUNE;
        if (!texturee) continue;
        double t[2];
        paire(i, c, t[0], t[1]);
        for (double v : t) {
            nonfinis += !std::isfinite(v);
            horstexture += !(v >= -2048 && v < 2048);
        }
        bool hors;
        s.t = virgulefixe(t[0], 4, hors);
        s.s = virgulefixe(t[1], 4, hors);
    }
    if (options.normales) normales(ncoins);
    fusionner(ncoins);
    garderquads();
}

} // namespace

void construireobj() {
    source = OBJ;
    construire();
}

void construiremodele() {
    source = MODELE;
    construire();
}

} // namespace maillage
