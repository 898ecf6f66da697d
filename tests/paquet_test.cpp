// The packer's words read back as the DS's geometry engine reads them (GBATEK's command
// meanings, in a decoder of the test's own): the polygons they draw are the model's, same corners,
// winding and values; each vertex takes a one-word command wherever one is exact; the C text,
// parsed with sscanf, and the .bin give the same words.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "maillage.h"
#include "obj.h"
#include "paquet.h"

namespace {

using namespace maillage;

// GBATEK's command numbers and parameter words, and libnds's names for them in the text.
struct Commande {
    uint32_t code;
    const char *nom;
    int parametres;
};
const Commande COMMANDES[] = {
    {0x00, "FIFO_NOP", 0},         {0x11, "FIFO_MATRIX_PUSH", 0}, {0x12, "FIFO_MATRIX_POP", 1},
    {0x1B, "FIFO_MATRIX_SCALE", 3}, {0x20, "FIFO_COLOR", 1},       {0x21, "FIFO_NORMAL", 1},
    {0x22, "FIFO_TEX_COORD", 1},   {0x23, "FIFO_VERTEX16", 2},    {0x24, "FIFO_VERTEX10", 1},
    {0x25, "FIFO_VERTEX_XY", 1},   {0x26, "FIFO_VERTEX_XZ", 1},   {0x27, "FIFO_VERTEX_YZ", 1},
    {0x28, "FIFO_VERTEX_DIFF", 1}, {0x30, "FIFO_DIFFUSE_AMBIENT", 1}, {0x40, "FIFO_BEGIN", 1},
    {0x41, "FIFO_END", 0}};

const Commande *chercher(uint32_t code) {
    for (const Commande &c : COMMANDES)
        if (c.code == code) return &c;
    return nullptr;
}

// A vertex as drawn: position, texture pair, the NORMAL word and the colour in force.
struct V {
    int x, y, z, t, s, n, c;
    auto operator<=>(const V &) const = default;
};
using Polygone = std::vector<V>;

// A polygon by the rotation of its corners that sorts first: the same polygon with the same
// winding, whatever corner it starts at.
Polygone canonique(Polygone p) {
    Polygone meilleur = p;
    for (size_t i = 1; i < p.size(); ++i) {
        std::rotate(p.begin(), p.begin() + 1, p.end());
        meilleur = std::min(meilleur, p);
    }
    return meilleur;
}

int dix(uint32_t champ) {
    return static_cast<int>(champ & 0x3FF) - (champ & 0x200 ? 1024 : 0);
}

struct Lecture {
    std::string erreur;
    std::vector<Polygone> triangles, quads;
    std::vector<uint32_t> ordre;           // every command but NOP, in order
    std::vector<uint32_t> echelle, depile; // MTX_SCALE's and MTX_POP's parameters
    int64_t sommets = 0;
    int chers = 0;      // vertices sent with VTX_16 where a one-word command was exact
    int redites = 0;    // values sent again unchanged (but for a lit vertex's NORMAL)
    int manquants = 0;  // a group's first vertex without its values sent in the list
    int nonallumes = 0; // lit vertices whose NORMAL did not follow the last DIF_AMB
    int utilises[0x29] = {}; // vertex commands, by number
    int groupes[4] = {};     // BEGIN's by type
};

Lecture lire(const std::vector<uint32_t> &w, bool compacte) {
    Lecture l;
    if (w.empty() || w[0] != w.size() - 1) return l.erreur = "count word", l;
    int type = -1;
    std::vector<V> groupe;
    V etat{0, 0, 0, 0, 0, AUCUNE, AUCUNE};
    bool envoye[3] = {};   // texture, colour, normal sent in the list: the DS keeps them across BEGIN
    bool allume = true;
    size_t i = 1;
    while (i < w.size()) {
        const uint32_t paquet = w[i++];
        for (int k = 0; k < 4; ++k) {
            const uint32_t code = paquet >> (8 * k) & 0xFF;
            const Commande *c = chercher(code);
            if (c == nullptr) return l.erreur = "unknown command " + std::to_string(code), l;
            if (i + static_cast<size_t>(c->parametres) > w.size()) return l.erreur = "parameters past the end", l;
            const uint32_t *p = &w[i];
            i += static_cast<size_t>(c->parametres);
            if (code != 0) l.ordre.push_back(code);
            const bool premier = groupe.empty();
            V v = etat;
            switch (code) {
            case 0x11: break;
            case 0x12: l.depile.push_back(p[0]); break;
            case 0x1B: l.echelle.assign(p, p + 3); break;
            case 0x40:
                type = static_cast<int>(p[0] & 3);
                ++l.groupes[type];
                groupe.clear();
                break;
            case 0x41: type = -1; break;
            case 0x22:
                l.redites += envoye[0] && static_cast<int16_t>(p[0] >> 16) == etat.t && static_cast<int16_t>(p[0]) == etat.s;
                etat.s = static_cast<int16_t>(p[0] & 0xFFFF);
                etat.t = static_cast<int16_t>(p[0] >> 16);
                envoye[0] = true;
                break;
            case 0x20:
            case 0x30:
                l.redites += envoye[1] && static_cast<int>(p[0] & 0x7FFF) == etat.c;
                etat.c = static_cast<int>(p[0] & 0x7FFF);
                envoye[1] = true;
                if (code == 0x30) {
                    // Bit 15 sets the vertex colour; the ambient is a third of the diffuse.
                    const uint32_t d = p[0] & 0x7FFF, a = p[0] >> 16;
                    if (!(p[0] & 0x8000) || a != ((d & 31) / 3 | ((d >> 5 & 31) / 3) << 5 | ((d >> 10 & 31) / 3) << 10))
                        return l.erreur = "DIF_AMB word", l;
                    allume = false;
                }
                break;
            case 0x21:
                l.redites += envoye[2] && allume && static_cast<int>(p[0]) == etat.n;
                etat.n = static_cast<int>(p[0]);
                envoye[2] = true;
                allume = true;
                break;
            default:
                if (code < 0x23 || code > 0x28) break;
                if (type < 0) return l.erreur = "vertex outside BEGIN", l;
                if (code >= 0x25 && premier) return l.erreur = "relative vertex first in its group", l;
                const V &a = premier ? etat : groupe.back();
                switch (code) {
                case 0x23: v.x = static_cast<int16_t>(p[0]), v.y = static_cast<int16_t>(p[0] >> 16), v.z = static_cast<int16_t>(p[1]); break;
                case 0x24: v.x = dix(p[0]) * 64, v.y = dix(p[0] >> 10) * 64, v.z = dix(p[0] >> 20) * 64; break;
                case 0x25: v.x = static_cast<int16_t>(p[0]), v.y = static_cast<int16_t>(p[0] >> 16), v.z = a.z; break;
                case 0x26: v.x = static_cast<int16_t>(p[0]), v.y = a.y, v.z = static_cast<int16_t>(p[0] >> 16); break;
                case 0x27: v.x = a.x, v.y = static_cast<int16_t>(p[0]), v.z = static_cast<int16_t>(p[0] >> 16); break;
                case 0x28: v.x = a.x + dix(p[0]), v.y = a.y + dix(p[0] >> 10), v.z = a.z + dix(p[0] >> 20); break;
                }
                ++l.sommets;
                ++l.utilises[code];
                const bool dixexact = v.x % 64 == 0 && v.y % 64 == 0 && v.z % 64 == 0;
                const auto tient = [](int d) { return d >= -512 && d <= 511; };
                const bool relatif = !premier && (v.x == a.x || v.y == a.y || v.z == a.z ||
                                                  (tient(v.x - a.x) && tient(v.y - a.y) && tient(v.z - a.z)));
                if (code == 0x23 && compacte && (dixexact || relatif)) ++l.chers;
                if (code != 0x23 && !compacte) return l.erreur = "compact command without --compacte", l;
                l.manquants += premier && ((texturee && !envoye[0]) || (etat.c != AUCUNE && !envoye[1]) ||
                                           (etat.n != AUCUNE && !envoye[2]));
                l.nonallumes += eclairee && !allume;
                etat.x = v.x, etat.y = v.y, etat.z = v.z;
                groupe.push_back(v);
                const size_t n = groupe.size();
                if (type == 0 && n % 3 == 0) l.triangles.push_back({groupe[n - 3], groupe[n - 2], groupe[n - 1]});
                if (type == 1 && n % 4 == 0) l.quads.push_back({groupe[n - 4], groupe[n - 3], groupe[n - 2], groupe[n - 1]});
                // GBATEK: strips draw 0-1-2, 2-1-3, 2-3-4, 4-3-5; quad strips 0-1-3-2, 2-3-5-4.
                if (type == 2 && n >= 3) {
                    if (n % 2 == 1) l.triangles.push_back({groupe[n - 3], groupe[n - 2], groupe[n - 1]});
                    else l.triangles.push_back({groupe[n - 2], groupe[n - 3], groupe[n - 1]});
                }
                if (type == 3 && n >= 4 && n % 2 == 0)
                    l.quads.push_back({groupe[n - 4], groupe[n - 3], groupe[n - 1], groupe[n - 2]});
            }
        }
    }
    return l;
}

// The model's values as the list must draw them.
V valeurs(int32_t i) {
    const Sommet &s = sommets[i];
    return {s.x, s.y, s.z, texturee ? s.t : 0, texturee ? s.s : 0, s.normale, s.couleur};
}

// A model file read by the OBJ reader and built with the options set.
void reel(const char *nom) {
    FILE *f = std::fopen(nom, "rb");
    ASSERT_NE(f, nullptr) << nom;
    char raison[512];
    const bool lu = obj::lireobj(f, nom, raison, sizeof raison);
    std::fclose(f);
    ASSERT_TRUE(lu) << raison;
    ASSERT_GT(obj::ntriangles, 500);
    construireobj();
}

void vider() {
    nsommets = ntriangles = nquads = 0;
    texturee = eclairee = coloree = false;
    options = {};
    options.echelle = 1;
    exposant = 0;
}

int32_t sommet(int x, int y, int z, int t = 0, int s = 0, int32_t n = AUCUNE, int32_t c = AUCUNE) {
    sommets[nsommets] = {static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(z),
                         static_cast<int16_t>(t), static_cast<int16_t>(s), n, c};
    return nsommets++;
}

void triangle(int32_t a, int32_t b, int32_t c) {
    triangles[ntriangles][0] = a;
    triangles[ntriangles][1] = b;
    triangles[ntriangles][2] = c;
    ++ntriangles;
}

void quad(int32_t a, int32_t b, int32_t c, int32_t d) {
    quads[nquads++] = {ntriangles, {a, b, c, d}};
    triangle(a, b, c);
    triangle(a, c, d);
}

// An n by n grid of squares of side pas, z rising along the rows; its values per vertex.
void grille(int n, int pas, int z0, bool enquads, auto attributs) {
    const int32_t premier = nsommets;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const int32_t v = sommet(i * pas - 4096, j * pas - 2048, z0 + j * (pas / 3));
            attributs(sommets[v], i, j);
        }
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const int32_t a = premier + j * (n + 1) + i, b = a + 1, c = a + n + 2, d = a + n + 1;
            if (enquads) {
                quad(a, b, c, d);
            } else if ((i * 7 + j * 3) % 3 == 0) {
                // The other diagonal here and there, some faces turned over: strips turn corners
                // and meet faces of the other winding.
                triangle(a, b, d);
                if ((i + j) % 4 == 0) triangle(b, d, c);
                else triangle(b, c, d);
            } else {
                triangle(a, b, c);
                triangle(a, c, d);
            }
        }
}

void rien(Sommet &, int, int) {}

struct Cas {
    const char *nom;
    void (*construire)();
};

const Cas MODELES[] = {
    {"grille", [] { grille(12, 64, 0, false, rien); grille(9, 37, 1000, false, rien); }},
    {"cube", [] {
         int32_t c[8];
         for (int i = 0; i < 8; ++i) c[i] = sommet(i & 1 ? 4096 : -4096, i & 2 ? 4096 : -4096, i & 4 ? 4096 : -4096);
         quad(c[0], c[2], c[3], c[1]);
         quad(c[4], c[5], c[7], c[6]);
         quad(c[0], c[1], c[5], c[4]);
         quad(c[2], c[6], c[7], c[3]);
         quad(c[0], c[4], c[6], c[2]);
         quad(c[1], c[3], c[7], c[5]);
     }},
    // Shared vertices far apart and close together, triangles repeated, corners repeated.
    {"soupe", [] {
         std::mt19937 alea(34);
         for (int i = 0; i < 300; ++i) {
             const int base = static_cast<int>(alea() % 65536) - 32768;
             const int ecart = i % 2 ? 700 : 65536;
             sommet(base, (base + static_cast<int>(alea() % ecart)) % 32768, (base - static_cast<int>(alea() % ecart)) % 32768);
         }
         for (int i = 0; i < 900; ++i) {
             const int32_t a = static_cast<int32_t>(alea() % 300), b = static_cast<int32_t>(alea() % 300), c = static_cast<int32_t>(alea() % 300);
             if (a != b && b != c && a != c) triangle(a, b, c);
         }
         for (int i = 0; i < 20; ++i) triangle(triangles[i][0], triangles[i][1], triangles[i][2]);
         triangle(5, 5, 6);
         triangle(7, 8, 7);
     }},
    // Fans: strips that never turn a corner take two of their triangles at most.
    {"eventails", [] {
         for (int n : {5, 12, 31}) {
             const int32_t centre = sommet(n * 100, 0, 0);
             const int32_t premier = nsommets;
             for (int i = 0; i < n; ++i) sommet(n * 100 + (i * 37) % 500, i * 90, (i * i) % 300);
             for (int i = 0; i + 1 < n; ++i)
                 if (i % 7 == 3 || i % 5 == 1) triangle(centre, premier + i + 1, premier + i);
                 else triangle(centre, premier + i, premier + i + 1);
         }
     }},
    {"texturee", [] {
         texturee = true;
         grille(10, 100, -300, false, [](Sommet &s, int i, int j) { s.t = static_cast<int16_t>(j * 16 - 80); s.s = static_cast<int16_t>(i / 2 * 24); });
         grille(3, 200, 0, true, [](Sommet &s, int i, int j) { s.t = static_cast<int16_t>(j * 8); s.s = static_cast<int16_t>(i * 8); });
     }},
    {"eclairee", [] {
         eclairee = coloree = true;
         grille(10, 90, 0, false, [](Sommet &s, int i, int j) {
             // The normal the same along a row, the colour not: a new material needs the normal again.
             s.normale = i % 4 == 0 ? 0x1FF << 20 : (i * 37 & 0x3FF) | (j * 91 & 0x3FF) << 10;
             s.couleur = i < 5 ? 0x7FFF : (j % 3) * 0x421 + 5;
         });
     }},
    {"coloree", [] {
         coloree = true;
         grille(8, 64, 64, true, [](Sommet &s, int i, int) { s.couleur = i / 3 * 0x1F; });
     }},
    // Differences of 511 and -512 (VTX_DIFF) beside 512 and -513 (VTX_16), values with their low
    // 6 bits zero (VTX_10) or one bit short of it, one coordinate repeated.
    {"limites", [] {
         const int d[][3] = {{511, -512, 511}, {512, 0, 1}, {-513, 3, -2}, {-512, 511, -512}, {64, -64, 128},
                             {1, 1, 0}, {0, 5, 7}, {9, 0, 9}, {-511, 512, 2}, {32, 32, 32}};
         for (const auto &e : d)
             for (int p : {-32768, -4096 + 32, 0, 4095 * 2, 32767 - 1024}) {
                 const int32_t a = sommet(p, p & ~63, p + 1);
                 const int32_t b = sommet(p + e[0], (p & ~63) + e[1], p + 1 + e[2]);
                 const int32_t c = sommet(p + 2 * e[0], (p & ~63) + e[1] - e[0], p + 1 + 2 * e[2]);
                 triangle(a, b, c);
             }
         triangle(sommet(-64, 128, 4032), sommet(-32768, 32704, 0), sommet(-128, -32768, 64));
         triangle(sommet(96, 0, 128), sommet(64, -32, 0), sommet(0, 64, 4064));
     }},
    {"ajustee", [] { options.ajuster = true; exposant = -3; grille(5, 640, 0, false, rien); }},
    {"agrandie", [] { options.ajuster = true; exposant = 12; grille(2, 64, 0, true, rien); }},
    {"vide", [] {}},
    // Real exports, read and built as meshpress does: their strips meet seams, poles and
    // polygons of every kind that generated grids do not have.
    {"singe", [] { reel(CORPUS "/blender_singe/monkey.obj"); }},
    {"pompe", [] { reel(CORPUS "/blender_pompe/pipeworks_pump.obj"); }},
    {"boule", [] {
         options.normales = options.couleurs = true;
         options.angle = 60;
         reel(EXEMPLES "/boule.obj");
     }},
};

std::string lirefichier(auto ecrire) {
    FILE *f = std::tmpfile();
    ecrire(f);
    std::string texte(static_cast<size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    texte.resize(std::fread(texte.data(), 1, texte.size(), f));
    std::fclose(f);
    return texte;
}

// The words the C text gives a C compiler, read with sscanf: the count, then per line a packed
// word of four named commands and its parameters in hexadecimal.
std::vector<uint32_t> motsdutexte(const std::string &texte, const std::string &nom, const std::string &options) {
    std::vector<uint32_t> w;
    const size_t ligne1 = texte.find('\n');
    unsigned compte = 0;
    int fin = 0;
    char tableau[64];
    if (std::sscanf(texte.c_str() + ligne1 + 1, "u32 %63[^[][] = {%u,\n%n", tableau, &compte, &fin) != 2 || tableau != nom)
        return w;
    if (texte.substr(0, ligne1) != "/* meshpress " + options + " : " + std::to_string(compte) + " mots apres le premier */")
        return w;
    w.push_back(compte);
    size_t position = ligne1 + 1 + static_cast<size_t>(fin);
    while (position < texte.size()) {
        const size_t finligne = texte.find('\n', position);
        if (finligne == std::string::npos) return texte.substr(position) == "};" ? w : std::vector<uint32_t>{};
        const std::string ligne = texte.substr(position, finligne - position);
        char n[4][32];
        int lu = 0;
        if (std::sscanf(ligne.c_str(), "FIFO_COMMAND_PACK(%31[^,], %31[^,], %31[^,], %31[^)]),%n", n[0], n[1], n[2], n[3], &lu) != 4)
            return {};
        uint32_t paquet = 0;
        for (int k = 0; k < 4; ++k) {
            const Commande *c = nullptr;
            for (const Commande &e : COMMANDES)
                if (std::strcmp(e.nom, n[k]) == 0) c = &e;
            if (c == nullptr) return {};
            paquet |= c->code << (8 * k);
        }
        w.push_back(paquet);
        unsigned mot;
        int l = 0;
        while (std::sscanf(ligne.c_str() + lu, "0x%8X,%n", &mot, &l) == 1) {
            char attendu[16];
            std::snprintf(attendu, sizeof attendu, "0x%08X,", mot);
            if (ligne.compare(static_cast<size_t>(lu), 11, attendu) != 0) return {};
            w.push_back(mot);
            lu += l;
        }
        if (static_cast<size_t>(lu) != ligne.size()) return {};
        position = finligne + 1;
    }
    return {};
}

TEST(Paquet, LesPolygonesDuModele) {
    int utilises[0x29] = {}, groupes[4] = {};
    for (const Cas &cas : MODELES)
        for (bool compacte : {false, true}) {
            SCOPED_TRACE(std::string(cas.nom) + (compacte ? " --compacte" : ""));
            vider();
            cas.construire();
            ASSERT_TRUE(paquet::empaqueter(compacte));
            const std::vector<uint32_t> w(paquet::mots, paquet::mots + paquet::nmots);
            const Lecture l = lire(w, compacte);
            ASSERT_EQ(l.erreur, "");

            std::vector<Polygone> attendus, quadsattendus, lus;
            std::vector<bool> dansquad(static_cast<size_t>(ntriangles), false);
            for (int32_t q = 0; compacte && q < nquads; ++q) {
                quadsattendus.push_back(canonique({valeurs(quads[q].coins[0]), valeurs(quads[q].coins[1]),
                                                   valeurs(quads[q].coins[2]), valeurs(quads[q].coins[3])}));
                dansquad[static_cast<size_t>(quads[q].premier)] = dansquad[static_cast<size_t>(quads[q].premier) + 1] = true;
            }
            for (int32_t t = 0; t < ntriangles; ++t)
                if (!dansquad[static_cast<size_t>(t)])
                    attendus.push_back(canonique({valeurs(triangles[t][0]), valeurs(triangles[t][1]), valeurs(triangles[t][2])}));
            for (const Polygone &p : l.triangles) lus.push_back(canonique(p));
            std::sort(attendus.begin(), attendus.end());
            std::sort(lus.begin(), lus.end());
            EXPECT_TRUE(lus == attendus);
            lus.clear();
            for (const Polygone &p : l.quads) lus.push_back(canonique(p));
            std::sort(quadsattendus.begin(), quadsattendus.end());
            std::sort(lus.begin(), lus.end());
            EXPECT_TRUE(lus == quadsattendus);

            EXPECT_EQ(l.chers, 0);
            EXPECT_EQ(l.redites, 0);
            EXPECT_EQ(l.manquants, 0);
            EXPECT_EQ(l.nonallumes, 0);
            EXPECT_EQ(paquet::sommetsenvoyes, l.sommets);
            EXPECT_EQ(paquet::polygones, static_cast<int64_t>(l.triangles.size() + l.quads.size()));
            // The list ends with END, then the pop of the scale pushed at its start.
            ASSERT_FALSE(l.ordre.empty());
            if (options.ajuster) {
                const uint32_t f = 1u << (12 + exposant);
                EXPECT_EQ(l.ordre[0], 0x11u);
                EXPECT_EQ(l.ordre[1], 0x1Bu);
                EXPECT_EQ(l.echelle, std::vector<uint32_t>({f, f, f}));
                EXPECT_EQ(l.ordre.end()[-2], 0x41u);
                EXPECT_EQ(l.depile, std::vector<uint32_t>{1});
            }
            EXPECT_EQ(l.ordre.back(), options.ajuster ? 0x12u : 0x41u);
            for (int c = 0; c < 0x29; ++c) utilises[c] += l.utilises[c];
            for (int t = 0; t < 4; ++t) groupes[t] += l.groupes[t];

            // The text, read back with sscanf, and the .bin, little-endian, give the same words.
            const std::string texteoptions = compacte ? "--normales=lisses --angle=60 --compacte" : "--couleurs";
            const std::string texte = lirefichier([&](FILE *f) { paquet::ecriretexte(f, "modele", texteoptions.c_str()); });
            EXPECT_EQ(motsdutexte(texte, "modele", texteoptions), w);
            const std::string binaire = lirefichier([](FILE *f) { paquet::ecrirebinaire(f); });
            ASSERT_EQ(binaire.size(), 4 * w.size());
            std::vector<uint32_t> motsbinaires(w.size());
            for (size_t i = 0; i < w.size(); ++i)
                for (int k = 0; k < 4; ++k) motsbinaires[i] |= static_cast<uint32_t>(static_cast<uint8_t>(binaire[4 * i + static_cast<size_t>(k)])) << (8 * k);
            EXPECT_EQ(motsbinaires, w);
        }
    // Every vertex command and every kind of group had its turn.
    for (int c = 0x23; c <= 0x28; ++c) EXPECT_GT(utilises[c], 0) << c;
    for (int t = 0; t < 4; ++t) EXPECT_GT(groupes[t], 0) << t;
}

} // namespace
