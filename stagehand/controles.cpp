#include "controles.h"

#include <GL/freeglut.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fenetre.h"
#include "imagescles.h"
#include "messages.h"
#include "scene.h"
#include "textures.h"

bool glisser = false;

namespace {

// Where the pointer was in the window as it took over, while it has not moved since.
bool pointeurdepart = false;
int pointeurx, pointeury;

// The camera as the window took over, for 'o' and Home.
struct Camera {
    float x, y, z, visex, visey, visez, tour, toury;
} depart;

// The steps 0.1 and 0.01 are doubles: the float is widened, moved and rounded back, which
// is not the same as adding the single-precision step.
float pas(float valeur, double increment) {
    return static_cast<float>(static_cast<double>(valeur) + increment);
}

// The position the movement keys move: the camera in the view mode, the selected object in
// the translation mode; a quarter of a unit per key for the camera, a sixteenth for an object.
struct Cible {
    float &x, &y, &z;
    float diviseur;
    double vertical;
};

Cible cible() {
    if (mode == 0) return {emplacementx, emplacementy, emplacementz, 4.0f, 0.1};
    return {translate[numero][0], translate[numero][1], translate[numero][2], 16.0f, 0.01};
}

// Forward, backward, left and right follow the horizontal line of sight (viseex, viseez);
// the rotation mode turns the selected object by one degree about the key's axis instead.
void avancer(float sens, int axe) {
    if (mode == 2) {
        rotate[numero][axe] = rotate[numero][axe] + sens;
        return;
    }
    Cible c = cible();
    if (sens > 0) {
        c.x = c.x + viseex / c.diviseur;
        c.z = c.z + viseez / c.diviseur;
    } else {
        c.x = c.x - viseex / c.diviseur;
        c.z = c.z - viseez / c.diviseur;
    }
}

void decaler(float sens, int axe) {
    if (mode == 2) {
        rotate[numero][axe] = rotate[numero][axe] + sens;
        return;
    }
    Cible c = cible();
    // (viseez, -viseex) is the line of sight turned a quarter to the left.
    if (sens < 0) {
        c.x = c.x + viseez / c.diviseur;
        c.z = c.z - viseex / c.diviseur;
    } else {
        c.x = c.x - viseez / c.diviseur;
        c.z = c.z + viseex / c.diviseur;
    }
}

void monter(float sens, int axe) {
    if (mode == 2) {
        rotate[numero][axe] = rotate[numero][axe] + sens;
        return;
    }
    Cible c = cible();
    c.y = pas(c.y, sens * c.vertical);
}

void aide() {
    std::fputs("\n"
               "v pour le mode pour bouger la vue\n"
               "t pour le mode pour bouger l'objet par translation\n"
               "r pour le mode pour bouger l'objet avec une rotation\n"
               "z pour vers l'avant\n"
               "s pour vers l'arriere\n"
               "q pour vers la gauche\n"
               "d pour vers la droite\n"
               "enter pour enregistrer la position\n",
               stdout);
    std::fflush(stdout);
    // The keys the eight lines leave out, beside them on standard error.
    std::fputs("w pour vers le bas, x pour vers le haut\n"
               "les fleches comme z, s, q et d ; Page precedente comme x, Page suivante comme w\n"
               "+ et - pour l'objet suivant et l'objet precedent (l'objet choisi est noir)\n"
               "o ou Origine pour revenir a la vue du depart\n"
               "Tab pour liberer la souris (elle ne tourne plus la vue), Tab encore pour la "
               "reprendre\n"
               "Echap pour finir (les fichiers d'images cles sont fermes)\n"
               "i pour montrer ou cacher les textures (stagehand --textures)\n"
               "c pour cette aide\n",
               stderr);
}

// The letters of the keys in upper case do nothing, as always; the first one is said once, for
// it most often means that Caps Lock is on.
void majuscule(unsigned char key) {
    static bool dit = false;
    if (dit || key == 0 || std::strchr("ZQSDWXVTRCIO", key) == nullptr) return;
    dit = true;
    signaler("stagehand", false,
             "la touche %c ne fait rien : les touches de stagehand sont des minuscules ; le "
             "verrouillage des majuscules est sans doute actif (les fleches marchent toujours).",
             key);
}

} // namespace

void retenirdepart() {
    depart = {emplacementx, emplacementy, emplacementz, viseex, viseey, viseez, tour, toury};
    pointeurdepart = pointeur(pointeurx, pointeury);
}

void motion(int x, int y) {
    const int centrex = WIDTH / 2, centrey = HEIGHT / 2;
    // The warp below comes back as an event at the centre, which ends here.
    if (x == centrex && y == centrey) return;
    // A window that appears under the pointer may be told where the pointer is (Wine does so)
    // before the user moves it: that is no move.
    if (pointeurdepart) {
        if (x == pointeurx && y == pointeury) return;
        pointeurdepart = false;
    }
    // The pointer is the user's while Tab let it go and while another window has the keyboard:
    // it crosses the window then without turning the view and is not put back.
    if (sourislibre || !fenetreaufocus()) return;
    // Only the direction of the move counts: one fixed step per event.
    const int dx = x - centrex, dy = y - centrey;
    if (dx < 0) tour = pas(tour, 0.1);
    if (dx > 0) tour = pas(tour, -0.1);
    if (dy < 0) toury = pas(toury, 0.01);
    if (dy > 0) toury = pas(toury, -0.01);
    // The angles (0, 0) give the start direction (0, 0, -1): the first move turns the view by
    // one step from where it looks, not half round.
    viseex = static_cast<float>(-std::sin(static_cast<double>(tour)));
    viseez = static_cast<float>(-std::cos(static_cast<double>(tour)));
    viseey = static_cast<float>(std::tan(static_cast<double>(toury)));
    glutPostRedisplay();
    glutWarpPointer(centrex, centrey);
}

void Clavier(unsigned char key, int, int) {
    majuscule(key);
    if (key == 'z') avancer(1, 0);
    if (key == 'q') decaler(-1, 1);
    if (key == 's') avancer(-1, 0);
    if (key == 'd') decaler(1, 1);
    if (key == 'w') monter(-1, 2);
    if (key == 'x') monter(1, 2);
    if (key == 'v') mode = 0;
    if (key == 't') mode = 1;
    if (key == 'r') mode = 2;
    if (key == 13) enregistrerposition();
    if (key == 'c') aide();
    if (key == 'i') basculertextures();
    if (key == 27) terminer();
    if (key == '+' && ++numero > nombreobjet) numero = 1;
    if (key == '-' && --numero == 0) numero = nombreobjet;
    if (key == 'o') {
        emplacementx = depart.x, emplacementy = depart.y, emplacementz = depart.z;
        viseex = depart.visex, viseey = depart.visey, viseez = depart.visez;
        tour = depart.tour, toury = depart.toury;
    }
    if (key == '\t') sourislibre = !sourislibre;
    glLoadIdentity();
    viser();
    glutPostRedisplay();
    titrer();
}

void Clavierspecial(int key, int x, int y) {
    // The arrows, Page Up / Page Down and Home are where they are on every keyboard: they do
    // exactly what their letter does. Other special keys do nothing.
    const struct {
        int touche;
        unsigned char lettre;
    } TOUCHES[] = {{GLUT_KEY_UP, 'z'},    {GLUT_KEY_DOWN, 's'},    {GLUT_KEY_LEFT, 'q'},
                   {GLUT_KEY_RIGHT, 'd'}, {GLUT_KEY_PAGE_UP, 'x'}, {GLUT_KEY_PAGE_DOWN, 'w'},
                   {GLUT_KEY_HOME, 'o'}};
    for (const auto &t : TOUCHES)
        if (t.touche == key) Clavier(t.lettre, x, y);
}
