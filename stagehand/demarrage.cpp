#include "demarrage.h"

#include <GL/freeglut.h>
#include <cstdlib>
#include <cstring>

#include "chargeur.h"
#include "scene.h"

void init() {
    initrendu();
    if (!chargement()) std::exit(0);
    std::memset(translate, 0, sizeof translate);
    std::memset(rotate, 0, sizeof rotate);
}

int lancer(int argc, char **argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WIDTH, HEIGHT);
    glutInitWindowPosition(50, 50);
    // The objects are compiled into this window's context, so it must exist before init.
    glutCreateWindow("stagehand");
    init();
    glutDisplayFunc(Display);
    glutReshapeFunc(reshape);
    glutMainLoop();
    return 0;
}
