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
bool eclairee[MAXOBJETS + 1];
bool coloree[MAXOBJETS + 1];
FILE *fichier2[MAXOBJETS + 1];
char nomobjet[MAXOBJETS + 1][256];

void initrendu() {
    glClearColor(0, 0, 1, 0);
    // Without --textures no texture image is ever given: objects show only their flat colour.
    glEnable(GL_TEXTURE_2D);
    // Light 0 white, for both the diffuse and the ambient terms as the DS's light colour is, and
    // no other ambient: a lit list is lit by it alone. Lighting is on only for such lists.
    const float blanc[4] = {1, 1, 1, 1}, noir[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, blanc);
    glLightfv(GL_LIGHT0, GL_AMBIENT, blanc);
    glLightfv(GL_LIGHT0, GL_SPECULAR, noir);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noir);
    glEnable(GL_LIGHT0);
    // A list's scale matrix leaves its normals their length, as on the DS, whose scale reaches
    // only the position matrix (GL_NORMALIZE: Windows's OpenGL 1.1 has no GL_RESCALE_NORMAL).
    glEnable(GL_NORMALIZE);
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
    // The light fixed to the camera, as eclairer() sets it with an identity matrix: it travels
    // (0.577, -0.577, -0.577) in the eye's space, from the upper left, towards the screen.
    const float lumiere[4] = {-0.577f, 0.577f, 0.577f, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, lumiere);
    viser();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 1; i <= nombreobjet; ++i) {
        glPushMatrix();
        // A list that gives its own colours or light keeps them when selected, and gets the
        // selection's black on its edges instead.
        const bool propre = eclairee[i] || coloree[i];
        if (i == numero && !propre)
            glColor3f(0, 0, 0);
        else
            glColor3f(1, 1, 1);
        glTranslatef(translate[i][0], translate[i][1], translate[i][2]);
        glRotatef(rotate[i][0], 1, 0, 0);
        glRotatef(rotate[i][1], 0, 1, 0);
        glRotatef(rotate[i][2], 0, 0, 1);
        if (eclairee[i]) glEnable(GL_LIGHTING);
        if (!dessinertexture(i, i == numero)) {
            glCallList(static_cast<GLuint>(idobjet[i]));
            if (i == numero && propre) contourner(static_cast<unsigned>(idobjet[i]));
        }
        glDisable(GL_LIGHTING);
        glPopMatrix();
    }
    glFlush();
    glutSwapBuffers();
}

void contourner(unsigned liste) {
    // Lighting with no light and no ambient leaves every colour the list sets black.
    glEnable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glColor3f(0, 0, 0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnable(GL_POLYGON_OFFSET_LINE);
    glPolygonOffset(-1, -2);
    glDepthFunc(GL_LEQUAL);
    glLineWidth(2);
    glCallList(liste);
    glLineWidth(1);
    glDepthFunc(GL_LESS);
    glDisable(GL_POLYGON_OFFSET_LINE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
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
