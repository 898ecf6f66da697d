// Times meshpress against the standard-I/O converter it replaced, whole process, on generated
// models of 10,000 to 1,000,000 faces, untextured and textured, and checks that both write the
// same bytes. Prints the times, the ratio and the peak memory (maximum resident set).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// An exporter's model: N points, F faces, each on the next three points (wrapping around the N
// points), and for a textured model as many texture vertices and one "FaceTextures:" entry per
// face. Coordinates are random, printed as exporters print them.
void generer(const fs::path &chemin, int points, int nbfaces, bool texture) {
    if (fs::exists(chemin)) return;
    std::printf("(generating %s)\n", chemin.filename().c_str());
    FILE *f = std::fopen(chemin.c_str(), "w");
    std::mt19937 alea(12345);
    std::uniform_real_distribution<double> coord(-100, 100), uv(0, 1);
    std::fprintf(f, "Nombre_de_points: %d\n", points);
    for (int i = 0; i < points; ++i)
        std::fprintf(f, "Points: %d %.6f %.6f %.6f\n", i, coord(alea), coord(alea), coord(alea));
    if (texture)
        for (int i = 0; i < points; ++i) std::fprintf(f, "Textures: %d %.6f %.6f 0\n", i, uv(alea), uv(alea));
    for (int i = 0; i < nbfaces; ++i) {
        std::fprintf(f, "Normal: %d 0 0 1\n", i);
        std::fprintf(f, "Faces: %d %d %d %d\n", i, 3 * i % points, (3 * i + 1) % points, (3 * i + 2) % points);
    }
    if (texture)
        for (int i = 0; i < nbfaces; ++i)
            std::fprintf(f, "FaceTextures: %d %d %d %d\n", i, 3 * i % points, (3 * i + 1) % points,
                         (3 * i + 2) % points);
    std::fclose(f);
}

struct Mesure {
    double secondes;
    long memoirekio;
};

Mesure lancer(const char *programme, const fs::path &dossier, const std::string &modele,
              const std::string &base) {
    const fs::path reponses = dossier / (base + ".reponses");
    FILE *r = std::fopen(reponses.c_str(), "w");
    std::fprintf(r, "%s\n%s\n", modele.c_str(), base.c_str());
    std::fclose(r);
    const auto debut = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dossier.c_str()) != 0) _exit(127);
        const int entree = open(reponses.c_str(), O_RDONLY);
        const int rien = open("/dev/null", O_WRONLY);
        dup2(entree, 0);
        dup2(rien, 1);
        execl(programme, programme, nullptr);
        _exit(127);
    }
    int statut;
    rusage usage{};
    wait4(pid, &statut, 0, &usage);
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
    return {duree.count(), usage.ru_maxrss};
}

void meilleure(Mesure &meilleure, const Mesure &mesure) {
    if (mesure.secondes < meilleure.secondes) meilleure.secondes = mesure.secondes;
    if (mesure.memoirekio > meilleure.memoirekio) meilleure.memoirekio = mesure.memoirekio;
}

bool identiques(const fs::path &a, const fs::path &b) {
    FILE *fa = std::fopen(a.c_str(), "rb"), *fb = std::fopen(b.c_str(), "rb");
    if (fa == nullptr || fb == nullptr) return false;
    static char ta[1 << 16], tb[1 << 16];
    bool egal = true;
    for (;;) {
        const size_t na = std::fread(ta, 1, sizeof ta, fa), nb = std::fread(tb, 1, sizeof tb, fb);
        if (na != nb || std::memcmp(ta, tb, na) != 0) {
            egal = false;
            break;
        }
        if (na == 0) break;
    }
    std::fclose(fa);
    std::fclose(fb);
    return egal;
}

} // namespace

int main(int argc, char **argv) {
    const fs::path dossier = argc > 1 ? argv[1] : fs::temp_directory_path() / "meshpress-banc";
    fs::create_directories(dossier / "rapide");
    fs::create_directories(dossier / "stdio");
    std::printf("%-10s %9s %12s %12s %7s %10s %10s %s\n", "model", "faces", "meshpress s",
                "stdio s", "ratio", "peak MiB", "stdio MiB", "output");
    for (bool texture : {false, true})
        for (int nbfaces : {10000, 100000, 1000000}) {
            const std::string nom = std::string(texture ? "texture" : "simple") + std::to_string(nbfaces);
            generer(dossier / (nom + ".txt"), nbfaces, nbfaces, texture);
            // Same base name, so same array name, in two folders. The best of three runs each:
            // the writing back of earlier outputs to the disk makes single runs noisy.
            Mesure rapide{1e9, 0}, stdio{1e9, 0};
            for (int essai = 0; essai < 3; ++essai) {
                fs::remove(dossier / "rapide" / (nom + ".h"));
                fs::remove(dossier / "stdio" / (nom + ".h"));
                meilleure(rapide, lancer(MESHPRESS, dossier / "rapide", "../" + nom + ".txt", nom));
                meilleure(stdio, lancer(MESHPRESS_STDIO, dossier / "stdio", "../" + nom + ".txt", nom));
            }
            const bool egal = identiques(dossier / "rapide" / (nom + ".h"), dossier / "stdio" / (nom + ".h"));
            std::printf("%-10s %9d %12.3f %12.3f %7.2f %10.1f %10.1f %s\n", texture ? "textured" : "untextured",
                        nbfaces, rapide.secondes, stdio.secondes, stdio.secondes / rapide.secondes,
                        rapide.memoirekio / 1024.0, stdio.memoirekio / 1024.0, egal ? "identical" : "DIFFERENT");
            std::fflush(stdout);
            fs::remove(dossier / "rapide" / (nom + ".h"));
            fs::remove(dossier / "stdio" / (nom + ".h"));
        }
    return 0;
}
