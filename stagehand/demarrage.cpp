#include "demarrage.h"

#include <GL/freeglut.h>
#include <cstdlib>
#include <cstring>

#include "chargeur.h"
#include "controles.h"
#include "imagescles.h"
#include "scene.h"

void init() {
    initrendu();
    if (!chargement()) std::exit(0);
    std::memset(translate, 0, sizeof translate);
    std::memset(rotate, 0, sizeof rotate);
    if (!ouvrirfichiers()) std::exit(0);
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
    glutPassiveMotionFunc(motion);
    glutKeyboardFunc(Clavier);
    glutReshapeFunc(reshape);
    // Closing the window ends the program as Esc does, with complete keyframe files.
    glutCloseFunc(fermerfichiers);
    glutMainLoop();
    return 0;
}
