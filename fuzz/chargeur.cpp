// Fuzz target: the animator's loader on arbitrary file bytes, compiling into a real OpenGL
// context made once at start (run it under Xvfb), and checked against the first loader: a
// crash, a sanitizer report or a difference in the vertices is a finding.
#include <GL/freeglut.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "chargeur.h"
#include "oracle.h"

namespace {

std::vector<float> recus;

void recevoir(float x, float y, float z) {
    recus.insert(recus.end(), {x, y, z});
}

FILE *ouvrir(const uint8_t *donnees, size_t taille) {
    return fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    glutInit(argc, *argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("stagehand");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    if (taille == 0) return 0; // fmemopen takes no empty buffer
    FILE *rien = std::fopen("/dev/null", "w");
    FILE *f = ouvrir(donnees, taille);
    const unsigned liste = chargerliste(f);
    std::fclose(f);
    glDeleteLists(liste, 1);

    recus.clear();
    f = ouvrir(donnees, taille);
    oracle::analyserliste(f, recevoir, rien);
    std::fclose(f);
    const std::vector<float> attendu = recus;
    recus.clear();
    f = ouvrir(donnees, taille);
    analyserliste(f, recevoir, rien);
    std::fclose(f);
    std::fclose(rien);
    if (attendu.size() != recus.size() ||
        (!recus.empty() && std::memcmp(attendu.data(), recus.data(), 4 * recus.size()) != 0)) {
        std::fprintf(stderr, "vertices differ (%zu and %zu)\n", attendu.size() / 3, recus.size() / 3);
        std::abort();
    }
    return 0;
}
