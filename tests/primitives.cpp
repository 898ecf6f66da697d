#include "primitives.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "chargeur.h"
#include "maillage.h"
#include "mot.h"
#include "obj.h"

namespace primitives {

namespace {

// What a read stored, as text: whether it converted, then its values, floats in hexadecimal
// (exact; a NaN as "nan" with its sign) and integers held to a range.
std::string valeurs(long lu, std::initializer_list<float> reels = {}, long long entier = 0, long long borne = 0) {
    std::string s = std::to_string(lu) + " " + std::to_string(std::clamp(entier, -borne - 1, borne));
    for (float f : reels) {
        char t[64];
        std::snprintf(t, sizeof t, " %a", static_cast<double>(f));
        s += t;
    }
    return s;
}

// "%ms" after the blanks, as "%s" into a buffer of taille: the length counted up to borne and
// the characters kept.
std::string mot(FILE *f, size_t taille, size_t borne) {
    char *m = nullptr;
    int blancs = 0;
    const long debut = std::ftell(f);
    if (std::fscanf(f, " %n%ms", &blancs, &m) != 1) return "-1";
    const size_t n = static_cast<size_t>(std::ftell(f) - debut - blancs);
    const std::string s = std::to_string(std::min(n, borne)) + " " + std::string(m, std::min(n, taille - 1));
    std::free(m);
    return s;
}

std::string mot(long n, const char *t, long garde) {
    return n < 0 ? "-1" : std::to_string(n) + " " + std::string(t, static_cast<size_t>(std::min(n, garde)));
}

} // namespace

std::string comparer(const std::string &texte, const std::string &directives) {
    FILE *a = fmemopen(const_cast<char *>(texte.data()), texte.size(), "r");
    FILE *b = fmemopen(const_cast<char *>(texte.data()), texte.size(), "r");
    Lecteur l;
    ouvrirlecteur(l, a);
    const bool console = directives.find_first_of("wd") != std::string::npos;
    std::string ecart;
    for (size_t k = 0; k < directives.size() && ecart.empty(); ++k) {
        const char d = directives[k];
        // Reads through the scanner and reads of the stream itself do not mix on one stream.
        if (d == '\0' || std::strchr(console ? "wd" : "fismlvtc", d) == nullptr) continue;
        std::string x, y;
        float u[3] = {1234.5f, 2, 3}, v[3] = {1234.5f, 2, 3};
        char t[256], *p = nullptr, *q = nullptr;
        int n = -1, i = 12345;
        long long j = 12345;
        long lu = 0;
        if (d == 'f') {
            lu = lirereel(l, u[0]), x = valeurs(lu, {u[0]});
            lu = std::fscanf(b, "%f", &v[0]) == 1, y = valeurs(lu, {v[0]});
        } else if (d == 'i' || d == 'd') {
            int32_t e = i;
            lu = d == 'i' ? lireentier(l, e) : lireentierconsole(a, i), x = valeurs(lu, {}, d == 'i' ? e : i, INT32_MAX);
            lu = std::fscanf(b, d == 'i' ? "%lli" : "%lld", &j), y = valeurs(d == 'i' ? lu == 1 : lu, {}, j, INT32_MAX);
        } else if (d == 's' || d == 'w') {
            x = d == 's' ? mot(lireitem(l, t, 256), t, 255) : mot(lirelemot(a, t, 8), t, 7);
            y = d == 's' ? mot(b, 256, 256) : mot(b, 8, SIZE_MAX);
        } else if (d == 'm') {
            x = (p = liremot(l)) ? p : "-1";
            y = std::fscanf(b, "%ms", &q) == 1 ? q : "-1";
        } else if (d == 'l') {
            x = valeurs(correspondre(l, " VERTEX_PACK(floatov16("));
            std::fscanf(b, " VERTEX_PACK(floatov16(%n", &n), y = valeurs(n >= 0);
        } else if (d == 'v') {
            lu = lirevertex(l, u), x = valeurs(lu, {u[0], u[1], u[2]});
            std::fscanf(b, "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f),0),\n%n", v, v + 1, v + 2, &n);
            y = valeurs(n >= 0, {v[0], v[1], v[2]});
        } else if (d == 't') {
            x = valeurs(lirecoordtexture(l));
            std::fscanf(b, "TEXTURE_PACK(floatot16(%*f),floatot16(%*f)),\n%n", &n), y = valeurs(n >= 0);
        } else {
            lu = lirecommandes(l, p, " FIFO_NOP),\n"), x = valeurs(lu) + (p ? p : "-");
            std::fscanf(b, "FIFO_COMMAND_PACK(%ms %*s %*s FIFO_NOP),\n%n", &q, &n), y = valeurs(n >= 0) + (q ? q : "-");
        }
        std::free(p), std::free(q);
        const long long pris = console ? std::ftell(a) : position(l), attendu = std::ftell(b);
        if (x != y || pris != attendu)
            ecart = std::string(1, d) + " at " + std::to_string(k) + ": [" + x + "] took " + std::to_string(pris) +
                    ", [" + y + "] took " + std::to_string(attendu);
    }
    std::fclose(a);
    std::fclose(b);
    return ecart;
}

std::string comparerreel(const std::string &mot) {
    float lu = 1234.5f;
    const bool pris = obj::lirereel(mot.data(), mot.size(), lu);
    char *fin;
    const float attendu = std::strtof(mot.c_str(), &fin);
    const bool decimal = !mot.empty() && mot.find_first_not_of("0123456789+-.eE") == std::string::npos &&
                         fin == mot.c_str() + mot.size() && std::isfinite(attendu);
    if (pris == decimal && (!pris || std::memcmp(&lu, &attendu, sizeof lu) == 0)) return "";
    return "[" + mot + "]: " + (pris ? valeurs(1, {lu}) : "refused") + ", strtof " + (decimal ? valeurs(1, {attendu}) : "refuses");
}

void choisiroptions(uint8_t choix) {
    maillage::options = {(choix & 1) != 0,  (choix & 2) != 0, 45, (choix & 4) != 0, (choix & 8) != 0,
                         choix & 16 ? 1e-3 : 1, (choix & 32) != 0, (choix & 64) != 0};
    maillage::demandee = true;
}

} // namespace primitives
