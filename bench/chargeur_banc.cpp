// Times the animator's loader on a display-list file (by default the one of the converter's
// capacity model), split into the whole load and the list compilation alone (the same vertices
// from memory); the difference is the parsing. Needs a display (xvfb-run).
#include <GL/freeglut.h>
#include <chrono>
#include <cstdio>
#include <vector>

#include "chargeur.h"

static double secondes(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

int main(int argc, char **argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("banc");
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s file.h\n", argv[0]);
        return 2;
    }
    FILE *f = std::fopen(argv[1], "r");
    if (f == nullptr) return 1;
    auto debut = std::chrono::steady_clock::now();
    Analyse analyse;
    chargerliste(f, analyse);
    const double total = secondes(debut);
    std::fclose(f);

    // The same vertices, compiled from memory.
    FILE *h = std::fopen(argv[1], "r");
    std::vector<float> v;
    char ligne[512];
    float a, b, c;
    while (std::fgets(ligne, sizeof ligne, h))
        if (std::sscanf(ligne, "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f)", &a, &b, &c) == 3) {
            v.push_back(a / 10);
            v.push_back(b / 10);
            v.push_back(c / 10);
        }
    std::fclose(h);
    const long sommets = static_cast<long>(v.size() / 3);
    debut = std::chrono::steady_clock::now();
    const GLuint liste = glGenLists(1);
    glNewList(liste, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (size_t i = 0; i < v.size(); i += 3) glVertex3f(v[i], v[i + 1], v[i + 2]);
    glEnd();
    glEndList();
    const double compilation = secondes(debut);
    std::printf("vertices %ld: whole load %.3f s, list compilation %.3f s, parsing %.3f s\n", sommets, total,
                compilation, total - compilation);
    return 0;
}
