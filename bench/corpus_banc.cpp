// Converts each model of the corpus (bench/corpus/, real OBJ files from Debian packages) with
// meshpress, as a user runs it, in each form of the table below, and prints a Markdown table per
// form: the model's triangles, the list's words, words and GPU vertices per triangle, the
// polygons and vertices the DS keeps for it in a frame, and the conversion time (best of five),
// each against today's form; then each form's medians against the aims. The lists are read back
// by a decoder of its own, from the DS's documented command numbers and parameter counts, not by
// the converter's writer.
#include "conversion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The forms compared: today's list, then the converter's options (the name in the table, the
// arguments given to meshpress before the console answers, and whether the form only applies to
// models with colours: vertex colours or a material's Kd).
struct Forme {
    const char *nom;
    std::vector<const char *> arguments;
    bool couleurs;
};
const std::vector<Forme> formes = {
    {"today", {}, false},
    {"--compacte", {"--compacte"}, false},
    {"--echelle=ajuster --compacte", {"--echelle=ajuster", "--compacte"}, false},
    {"--normales --compacte", {"--normales", "--compacte"}, false},
    {"--couleurs --compacte", {"--couleurs", "--compacte"}, true},
    {"--normales --couleurs --compacte", {"--normales", "--couleurs", "--compacte"}, true},
};

// The aims of the compact lists, at the median over the models: GPU vertices per triangle, words
// fewer than today's (all models, untextured ones), conversion time against today's.
const double aimsommets = 1.4, aimmots = 2.5, aimmotsnontexture = 3, aimtemps = 2;

// The DS's geometry commands as a display list holds them: libnds's name, the command number
// (the byte of a packed command word) and its parameter words.
struct Commande {
    const char *nom;
    int numero;
    int parametres;
};
const Commande commandes[] = {
    {"FIFO_NOP", 0x00, 0},
    {"FIFO_MATRIX_MODE", 0x10, 1},
    {"FIFO_MATRIX_PUSH", 0x11, 0},
    {"FIFO_MATRIX_POP", 0x12, 1},
    {"FIFO_MATRIX_STORE", 0x13, 1},
    {"FIFO_MATRIX_RESTORE", 0x14, 1},
    {"FIFO_MATRIX_IDENTITY", 0x15, 0},
    {"FIFO_MATRIX_LOAD_4x4", 0x16, 16},
    {"FIFO_MATRIX_LOAD_4x3", 0x17, 12},
    {"FIFO_MATRIX_MULT_4x4", 0x18, 16},
    {"FIFO_MATRIX_MULT_4x3", 0x19, 12},
    {"FIFO_MATRIX_MULT_3x3", 0x1A, 9},
    {"FIFO_MATRIX_SCALE", 0x1B, 3},
    {"FIFO_MATRIX_TRANS", 0x1C, 3},
    {"FIFO_COLOR", 0x20, 1},
    {"FIFO_NORMAL", 0x21, 1},
    {"FIFO_TEX_COORD", 0x22, 1},
    {"FIFO_VERTEX16", 0x23, 2},
    {"FIFO_VERTEX10", 0x24, 1},
    {"FIFO_VERTEX_XY", 0x25, 1},
    {"FIFO_VERTEX_XZ", 0x26, 1},
    {"FIFO_VERTEX_YZ", 0x27, 1},
    {"FIFO_VERTEX_DIFF", 0x28, 1},
    {"FIFO_POLY_FORMAT", 0x29, 1},
    {"FIFO_TEX_FORMAT", 0x2A, 1},
    {"FIFO_PAL_FORMAT", 0x2B, 1},
    {"FIFO_DIFFUSE_AMBIENT", 0x30, 1},
    {"FIFO_SPECULAR_EMISSION", 0x31, 1},
    {"FIFO_LIGHT_VECTOR", 0x32, 1},
    {"FIFO_LIGHT_COLOR", 0x33, 1},
    {"FIFO_SHININESS", 0x34, 32},
    {"FIFO_BEGIN", 0x40, 1},
    {"FIFO_END", 0x41, 0},
};

const Commande *parnumero(long numero) {
    for (const Commande &c : commandes)
        if (c.numero == numero) return &c;
    return nullptr;
}

const Commande *parnom(const std::string &nom) {
    for (const Commande &c : commandes)
        if (nom == c.nom) return &c;
    char *fin;
    const long n = std::strtol(nom.c_str(), &fin, 0);
    return *fin == 0 && !nom.empty() ? parnumero(n) : nullptr;
}

// What a list costs the DS.
struct Mesure {
    long mots = 0;        // u32 words of the array, the count word included
    long sommets = 0;     // vertex commands: vertices the geometry engine transforms
    long polygones = 0;   // polygons the vertices make, by each BEGIN's primitive type
    bool texture = false; // some TEX_COORD: the aims differ for textured models
    bool valide = false;
};

// Polygons that n vertices make after a BEGIN of the given type (triangles, quads, triangle
// strip, quad strip).
long polygonesde(long type, long n) {
    switch (type) {
    case 0:
        return n / 3;
    case 1:
        return n / 4;
    case 2:
        return n >= 3 ? n - 2 : 0;
    case 3:
        return n >= 4 ? (n - 2) / 2 : 0;
    default:
        return 0;
    }
}

std::string sansespaces(const std::string &s) {
    std::string r;
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') r += c;
    return r;
}

// The words of a list: the array's elements in a C file (split at commas outside parentheses),
// or the little-endian words of a .bin file. A command word is kept as its four command names.
std::vector<std::string> motsdelaliste(const fs::path &fichier) {
    std::vector<std::string> mots;
    FILE *f = std::fopen(fichier.c_str(), "rb");
    if (f == nullptr) return mots;
    std::string texte;
    char tampon[1 << 16];
    for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
        texte.append(tampon, n);
    std::fclose(f);
    if (fichier.extension() == ".bin") {
        for (size_t i = 0; i + 4 <= texte.size(); i += 4) {
            unsigned long mot = 0;
            for (int k = 3; k >= 0; --k)
                mot = mot << 8 | static_cast<unsigned char>(texte[i + static_cast<size_t>(k)]);
            mots.push_back(std::to_string(mot));
        }
        return mots;
    }
    const size_t debut = texte.find('{'), fin = texte.rfind('}');
    if (debut == std::string::npos || fin == std::string::npos || fin < debut) return mots;
    std::string courant;
    int profondeur = 0;
    for (size_t i = debut + 1; i < fin; ++i) {
        const char c = texte[i];
        if (c == '(') ++profondeur;
        if (c == ')') --profondeur;
        if (c == ',' && profondeur == 0) {
            mots.push_back(sansespaces(courant));
            courant.clear();
        } else
            courant += c;
    }
    if (!sansespaces(courant).empty()) mots.push_back(sansespaces(courant));
    return mots;
}

// The four command numbers of a packed command word, written as FIFO_COMMAND_PACK(a, b, c, d)
// or as a number (first command in the low byte).
bool commandesdumot(const std::string &mot, const Commande *cmd[4]) {
    const std::string prefixe = "FIFO_COMMAND_PACK(";
    if (mot.compare(0, prefixe.size(), prefixe) == 0 && mot.back() == ')') {
        std::string noms = mot.substr(prefixe.size(), mot.size() - prefixe.size() - 1);
        for (int k = 0; k < 4; ++k) {
            const size_t virgule = noms.find(',');
            if ((virgule == std::string::npos) != (k == 3)) return false;
            cmd[k] = parnom(noms.substr(0, virgule));
            if (cmd[k] == nullptr) return false;
            noms = virgule == std::string::npos ? "" : noms.substr(virgule + 1);
        }
        return true;
    }
    char *fin;
    const unsigned long valeur = std::strtoul(mot.c_str(), &fin, 0);
    if (*fin != 0 || mot.empty()) return false;
    for (int k = 0; k < 4; ++k)
        if ((cmd[k] = parnumero(static_cast<long>(valeur >> (8 * k) & 0xFF))) == nullptr)
            return false;
    return true;
}

long typeprimitive(const std::string &mot) {
    const char *noms[] = {"GL_TRIANGLE", "GL_QUAD", "GL_TRIANGLE_STRIP", "GL_QUAD_STRIP"};
    for (long t = 0; t < 4; ++t)
        if (mot == noms[t]) return t;
    return std::strtol(mot.c_str(), nullptr, 0);
}

// Walks the list as the geometry engine reads it: a command word, then the parameters of its
// commands in order. The count word must be the array's length (today's form), or the words
// after it (the forms of the options).
Mesure mesurer(const fs::path &fichier, bool aujourdhui) {
    Mesure m;
    const std::vector<std::string> mots = motsdelaliste(fichier);
    const long attendu = static_cast<long>(mots.size()) - (aujourdhui ? 0 : 1);
    if (mots.empty() || std::strtol(mots[0].c_str(), nullptr, 0) != attendu) return m;
    m.mots = static_cast<long>(mots.size());
    long type = 0, dansbegin = 0;
    size_t i = 1;
    while (i < mots.size()) {
        const Commande *cmd[4];
        if (!commandesdumot(mots[i++], cmd)) return m;
        for (const Commande *c : cmd) {
            if (i + static_cast<size_t>(c->parametres) > mots.size()) return m;
            if (c->numero == 0x40) {
                m.polygones += polygonesde(type, dansbegin);
                type = typeprimitive(mots[i]);
                dansbegin = 0;
            }
            if (c->numero == 0x22) m.texture = true;
            if (c->numero >= 0x23 && c->numero <= 0x28) {
                ++m.sommets;
                ++dansbegin;
            }
            i += static_cast<size_t>(c->parametres);
        }
    }
    m.polygones += polygonesde(type, dansbegin);
    m.valide = true;
    return m;
}

struct Ligne {
    std::string modele;
    long triangles;
    Mesure m;
    double secondes;
    bool mesuree; // the form applies to the model
};

// A model with colours: vertex colours (a v line of six numbers) or a material library with Kd.
bool colore(const fs::path &modele) {
    for (const fs::directory_entry &f : fs::directory_iterator(modele.parent_path())) {
        const bool obj = f.path() == modele, mtl = f.path().extension() == ".mtl";
        FILE *fichier = obj || mtl ? std::fopen(f.path().c_str(), "r") : nullptr;
        if (fichier == nullptr) continue;
        char ligne[4096];
        bool trouve = false;
        while (!trouve && std::fgets(ligne, sizeof ligne, fichier) != nullptr) {
            double v[6];
            trouve = obj ? std::sscanf(ligne, "v %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2],
                                       &v[3], &v[4], &v[5]) == 6
                         : std::sscanf(ligne, " Kd %lf", &v[0]) == 1;
        }
        std::fclose(fichier);
        if (trouve) return true;
    }
    return false;
}

const char *tenu(bool oui) {
    return oui ? "met" : "not met";
}

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv) {
    const fs::path corpus = argc > 1 ? argv[1] : CORPUS;
    const fs::path travail =
        fs::temp_directory_path() / ("meshpress-corpus-" + std::to_string(getpid()));
    std::vector<fs::path> modeles;
    for (const fs::directory_entry &d : fs::directory_iterator(corpus))
        if (d.is_directory())
            for (const fs::directory_entry &f : fs::directory_iterator(d.path()))
                if (f.path().extension() == ".obj") modeles.push_back(f.path());
    if (modeles.empty()) {
        std::fprintf(stderr, "no model in %s\n", corpus.c_str());
        return 1;
    }
    // A copy of each model's folder, so that no output lands in the sources.
    fs::create_directories(travail);
    for (fs::path &m : modeles) {
        const fs::path copie = travail / m.parent_path().filename();
        fs::copy(m.parent_path(), copie, fs::copy_options::recursive);
        m = copie / m.filename();
    }
    // Triangles are the model's, as today's list has them; time in the same order of runs.
    std::vector<std::vector<Ligne>> tables(formes.size());
    int echecs = 0;
    for (const fs::path &modele : modeles) {
        const bool couleurs = colore(modele);
        for (size_t k = 0; k < formes.size(); ++k) {
            if (formes[k].couleurs && !couleurs) {
                tables[k].push_back({modele.parent_path().filename().string(), 0, {}, 0, false});
                continue;
            }
            double meilleur = 1e9;
            for (int essai = 0; essai < 5; ++essai) {
                for (const char *ext : {".h", ".bin"})
                    fs::remove(modele.parent_path() / (std::string("liste") + ext));
                const Conversion c = convertir(modele.parent_path(), modele.filename().string(),
                                               "liste", formes[k].arguments);
                const double s = c.reussie ? c.secondes : -1;
                meilleur = s < 0 ? -1 : std::min(meilleur, s);
                if (s < 0) break;
            }
            fs::path liste = modele.parent_path() / "liste.bin";
            if (!fs::exists(liste)) liste = modele.parent_path() / "liste.h";
            Ligne l{modele.parent_path().filename().string(), 0, mesurer(liste, k == 0), meilleur,
                    true};
            if (!l.m.valide || meilleur < 0) {
                std::fprintf(stderr, "%s, %s: no list read back\n", l.modele.c_str(),
                             formes[k].nom);
                ++echecs;
            }
            l.triangles = k == 0 ? l.m.polygones : tables[0].back().triangles;
            tables[k].push_back(l);
        }
    }
    // Rows from the smallest model to the largest.
    std::vector<size_t> ordre(modeles.size());
    for (size_t i = 0; i < ordre.size(); ++i)
        ordre[i] = i;
    std::sort(ordre.begin(), ordre.end(),
              [&](size_t a, size_t b) { return tables[0][a].triangles < tables[0][b].triangles; });
    // The medians of each form, for the aims (0 words for no untextured model).
    struct Medianes {
        double sommets, mots, motsnontexture, temps;
        size_t modeles;
    };
    std::vector<Medianes> aims(formes.size());
    for (size_t k = 0; k < formes.size(); ++k) {
        std::printf("\n%s\n\n", formes[k].nom);
        std::printf(
            "| model | textured | triangles | words | words / triangle | GPU vertices / triangle | "
            "polygons | DS vertices | words vs today | ms | time vs today |\n");
        std::printf("|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
        // The medians over every model ([0]), the untextured ones ([1]) and the textured ([2]).
        std::vector<double> mpt[3], spt[3], gain[3], temps[3];
        for (size_t i : ordre) {
            const Ligne &l = tables[k][i], &t = tables[0][i];
            if (!l.mesuree) continue;
            const double tri = static_cast<double>(std::max(1L, l.triangles));
            const double valeurs[4] = {
                static_cast<double>(l.m.mots) / tri, static_cast<double>(l.m.sommets) / tri,
                static_cast<double>(t.m.mots) / static_cast<double>(std::max(1L, l.m.mots)),
                l.secondes / t.secondes};
            for (int g : {0, t.m.texture ? 2 : 1}) {
                mpt[g].push_back(valeurs[0]);
                spt[g].push_back(valeurs[1]);
                gain[g].push_back(valeurs[2]);
                temps[g].push_back(valeurs[3]);
            }
            std::printf("| %s | %s | %ld | %ld | %.2f | %.2f | %ld | %ld | %.2f | %.1f | %.2f |\n",
                        l.modele.c_str(), l.m.texture ? "yes" : "no", l.triangles, l.m.mots,
                        valeurs[0], valeurs[1], l.m.polygones, l.m.sommets, valeurs[2],
                        l.secondes * 1000, valeurs[3]);
        }
        const char *groupes[3] = {"median", "median, untextured", "median, textured"};
        for (int g = 0; g < 3; ++g)
            if (!mpt[g].empty())
                std::printf("| %s | | | | %.2f | %.2f | | | %.2f | | %.2f |\n", groupes[g],
                            mediane(mpt[g]), mediane(spt[g]), mediane(gain[g]),
                            mediane(temps[g]));
        aims[k] = {mediane(spt[0]), mediane(gain[0]), mediane(gain[1]), mediane(temps[0]),
                   mpt[0].size()};
    }
    std::printf("\naims, at the median: GPU vertices per triangle <= %.1f, words at least %.1f "
                "times fewer than today's (%.0f times for untextured models), conversion time "
                "within %.0f times today's\n\n",
                aimsommets, aimmots, aimmotsnontexture, aimtemps);
    std::printf("| form | models | GPU vertices / triangle | words vs today | words vs today, "
                "untextured | time vs today |\n|---|---:|---|---|---|---|\n");
    for (size_t k = 1; k < formes.size(); ++k) {
        const Medianes &a = aims[k];
        char nontexture[32] = "no untextured model";
        if (a.motsnontexture > 0)
            std::snprintf(nontexture, sizeof nontexture, "%.2f (%s)", a.motsnontexture,
                          tenu(a.motsnontexture >= aimmotsnontexture));
        std::printf("| %s | %zu | %.2f (%s) | %.2f (%s) | %s | %.2f (%s) |\n", formes[k].nom,
                    a.modeles, a.sommets, tenu(a.sommets <= aimsommets), a.mots,
                    tenu(a.mots >= aimmots), nontexture, a.temps, tenu(a.temps <= aimtemps));
    }
    std::fflush(stdout);
    fs::remove_all(travail);
    return echecs == 0 ? 0 : 1;
}
