// Times meshpress, whole process, on generated models of 10,000 to 1,000,000 faces, untextured
// and textured, as text model files and as the same meshes in OBJ, against the I/O floor of the same work measured in the same run: reading the
// model file and writing as many bytes as the output through plain large read and write calls.
// Prints both times (best of three), their ratio and the converter's peak memory.
#include "conversion.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A model of N points and F faces, and for a textured model as many texture vertices and one
// "FaceTextures:" entry per face; and the same mesh as Wavefront OBJ (one "v" per point, one "vt"
// per texture vertex, one "f" per face). An exporter's model puts each face on the next three
// points (wrapping around the N points); a model written otherwise names random points and
// texture vertices, so that every corner is a jump in the tables. Coordinates are random,
// printed as exporters print them.
void generer(const fs::path &texte, const fs::path &obj, int points, int nbfaces, bool texture,
             bool coinsaleatoires) {
    if (fs::exists(texte) && fs::exists(obj)) return;
    std::printf("(generating %s and %s)\n", texte.filename().c_str(), obj.filename().c_str());
    std::mt19937 alea(12345);
    std::uniform_real_distribution<double> coord(-100, 100), uv(0, 1);
    std::uniform_int_distribution<int> numero(0, points - 1);
    std::vector<double> p(3 * static_cast<size_t>(points)), t(2 * static_cast<size_t>(points));
    std::vector<int> coins(3 * static_cast<size_t>(nbfaces)), coinstex(coins.size());
    for (double &x : p) x = coord(alea);
    if (texture)
        for (double &x : t) x = uv(alea);
    for (std::vector<int> *c : {&coins, &coinstex})
        for (size_t i = 0; i < c->size(); ++i)
            (*c)[i] = coinsaleatoires ? numero(alea) : static_cast<int>(i % static_cast<size_t>(points));
    FILE *f = std::fopen(texte.c_str(), "w");
    std::fprintf(f, "Nombre_de_points: %d\n", points);
    for (int i = 0; i < points; ++i)
        std::fprintf(f, "Points: %d %.6f %.6f %.6f\n", i, p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    if (texture)
        for (int i = 0; i < points; ++i)
            std::fprintf(f, "Textures: %d %.6f %.6f 0\n", i, t[2 * i], t[2 * i + 1]);
    for (int i = 0; i < nbfaces; ++i)
        std::fprintf(f, "Normal: %d 0 0 1\nFaces: %d %d %d %d\n", i, i, coins[3 * i], coins[3 * i + 1],
                     coins[3 * i + 2]);
    if (texture)
        for (int i = 0; i < nbfaces; ++i)
            std::fprintf(f, "FaceTextures: %d %d %d %d\n", i, coinstex[3 * i], coinstex[3 * i + 1],
                         coinstex[3 * i + 2]);
    std::fclose(f);
    f = std::fopen(obj.c_str(), "w");
    for (int i = 0; i < points; ++i)
        std::fprintf(f, "v %.6f %.6f %.6f\n", p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    if (texture)
        for (int i = 0; i < points; ++i)
            std::fprintf(f, "vt %.6f %.6f\n", t[2 * i], t[2 * i + 1]);
    for (int i = 0; i < nbfaces; ++i) {
        std::fputs("f", f);
        for (int k = 3 * i; k < 3 * i + 3; ++k)
            texture ? std::fprintf(f, " %d/%d", coins[k] + 1, coinstex[k] + 1)
                    : std::fprintf(f, " %d", coins[k] + 1);
        std::fputs("\n", f);
    }
    std::fclose(f);
}

// The floor: the model read and as many bytes as the output written, 1 MiB a call.
double plancher(const fs::path &modele, const fs::path &sortie, uintmax_t octets) {
    static std::vector<char> tampon(1 << 20, 'x');
    const double debut = maintenant();
    const int entree = open(modele.c_str(), O_RDONLY);
    while (read(entree, tampon.data(), tampon.size()) > 0) {
    }
    close(entree);
    const int f = open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (uintmax_t reste = octets; reste > 0;) {
        const ssize_t n = write(f, tampon.data(), std::min<uintmax_t>(reste, tampon.size()));
        if (n <= 0) break;
        reste -= static_cast<uintmax_t>(n);
    }
    close(f);
    return maintenant() - debut;
}

} // namespace

int main(int argc, char **argv) {
    const fs::path dossier = argc > 1 ? argv[1] : fs::temp_directory_path() / "meshpress-banc";
    fs::create_directories(dossier);
    std::printf("%-6s %-10s %-9s %9s %12s %10s %7s %10s\n", "format", "model", "corners", "faces",
                "meshpress s", "floor s", "ratio", "peak MiB");
    for (bool aleatoire : {false, true})
        for (bool texture : {false, true})
            for (int nbfaces : {10000, 100000, 1000000}) {
                const std::string nom = std::string(texture ? "texture" : "simple") +
                                        (aleatoire ? "alea" : "") + std::to_string(nbfaces);
                generer(dossier / (nom + ".txt"), dossier / (nom + ".obj"), nbfaces, nbfaces, texture,
                        aleatoire);
                for (const char *format : {".txt", ".obj"}) {
                    // The best of three runs each, alternated: the writing back of earlier outputs
                    // to the disk makes single runs noisy.
                    double meshpress = 1e9, sol = 1e9;
                    long memoire = 0;
                    const fs::path modele = dossier / (nom + format);
                    for (int essai = 0; essai < 3; ++essai) {
                        fs::remove(dossier / (nom + ".h"));
                        const Conversion c = convertir(dossier, modele.filename().string(), nom);
                        meshpress = std::min(meshpress, c.secondes);
                        memoire = std::max(memoire, c.memoire);
                        const uintmax_t octets = fs::file_size(dossier / (nom + ".h"));
                        sol = std::min(sol, plancher(modele, dossier / (nom + ".plancher"), octets));
                        fs::remove(dossier / (nom + ".plancher"));
                    }
                    std::printf("%-6s %-10s %-9s %9d %12.3f %10.3f %7.2f %10.1f\n", format[1] == 't' ? "text" : "OBJ",
                                texture ? "textured" : "untextured", aleatoire ? "random" : "exporter",
                                nbfaces, meshpress, sol, meshpress / sol,
                                static_cast<double>(memoire) / 1024.0);
                    std::fflush(stdout);
                    fs::remove(dossier / (nom + ".h"));
                }
            }
    return 0;
}
