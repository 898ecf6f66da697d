#include "scene.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <cstring>

#include "messages.h"
#include "textures.h"

int WIDTH = 640, HEIGHT = 480;
float emplacementx = 0, emplacementy = 0.4f, emplacementz = 0;
float viseex = 0, viseey = 0, viseez = -1;
float tour = 0, toury = 0;
int mode = 0;
int numero = 1;
int nombre = 0;
int nombreobjet = 0;
bool sourislibre = false;
float translate[MAXOBJETS + 1][3];
float rotate[MAXOBJETS + 1][3];
int idobjet[MAXOBJETS + 1];
FILE *fichier2[MAXOBJETS + 1];
char nomobjet[MAXOBJETS + 1][256];

void initrendu() {
    glClearColor(0, 0, 1, 0);
    // Without --textures no texture image is ever given: objects show only their flat colour.
    glEnable(GL_TEXTURE_2D);
}

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    WIDTH = width;
    HEIGHT = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window folded to no height keeps a finite aspect.
    const int hauteur = height == 0 ? 1 : height;
    gluPerspective(45.0, static_cast<double>(width) / hauteur, 0.1f, 1000.0);
    glMatrixMode(GL_MODELVIEW);
}

void viser() {
    // The centre sums are formed in double, from the single-precision values.
    gluLookAt(emplacementx, emplacementy, emplacementz,
              static_cast<double>(emplacementx) + static_cast<double>(viseex),
              static_cast<double>(emplacementy) + static_cast<double>(viseey),
              static_cast<double>(emplacementz) + static_cast<double>(viseez), 0, 1, 0);
}

void Display() {
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    viser();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 1; i <= nombreobjet; ++i) {
        glPushMatrix();
        if (i == numero)
            glColor3f(0, 0, 0);
        else
            glColor3f(1, 1, 1);
        glTranslatef(translate[i][0], translate[i][1], translate[i][2]);
        glRotatef(rotate[i][0], 1, 0, 0);
        glRotatef(rotate[i][1], 0, 1, 0);
        glRotatef(rotate[i][2], 0, 0, 1);
        if (!dessinertexture(i, i == numero)) glCallList(static_cast<GLuint>(idobjet[i]));
        glPopMatrix();
    }
    glFlush();
    glutSwapBuffers();
}

void titrer() {
    static char affiche[160];
    static const char *const MODES[] = {"vue", "translation", "rotation"};
    char titre[sizeof affiche];
    // The pointer let go by Tab is said next to the mode, before a long file name can cut it.
    std::snprintf(titre, sizeof titre, "stagehand - %s%s - objet %d sur %d : %s - %d image%s cle%s",
                  MODES[mode], sourislibre ? " (souris libre)" : "", numero, nombreobjet,
                  montrer(nomobjet[numero], std::strlen(nomobjet[numero])), nombre,
                  nombre > 1 ? "s" : "", nombre > 1 ? "s" : "");
    if (std::strcmp(titre, affiche) == 0) return;
    std::strcpy(affiche, titre);
    glutSetWindowTitle(titre);
}
