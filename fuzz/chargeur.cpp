// Fuzz target: the animator's loader on arbitrary file bytes, compiling into a real OpenGL
// context made once at start (run it under Xvfb), and checked against the first loader: a
// crash, a sanitizer report or a difference in the vertices or the console is a finding.
#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>

#include "chargeur.h"
#include "memoire.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    glutInit(argc, *argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("stagehand");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    if (taille > 0) {
        FILE *f = fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
        glDeleteLists(chargerliste(f), 1);
        std::fclose(f);
    }
    const memoire::Lecture attendu = memoire::lire(donnees, taille, true);
    const memoire::Lecture obtenu = memoire::lire(donnees, taille, false);
    if (!memoire::memessommets(obtenu.sommets, attendu.sommets) || obtenu.console != attendu.console) {
        std::fprintf(stderr, "loaders differ (%zu and %zu vertices)\n", attendu.sommets.size() / 3,
                     obtenu.sommets.size() / 3);
        std::abort();
    }
    return 0;
}
