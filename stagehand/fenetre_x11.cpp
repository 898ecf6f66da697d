#include "fenetre.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

namespace {

Display *connexion;
Window brouillon;

void rien(int) {}

} // namespace

bool preparercontexte() {
    // freeglut shows no X connection of its own; a menu, never shown, is made with a context
    // current on it. Its window is never mapped, so no window manager hears of it.
    const int menu = glutCreateMenu(rien);
    connexion = glXGetCurrentDisplay();
    glutDestroyMenu(menu);
    if (connexion == nullptr) return false;
    // The format freeglut chooses for GLUT_DOUBLE | GLUT_DEPTH: its attributes, its first
    // answer, so that the window is of the context's format.
    const int attributs[] = {GLX_RED_SIZE,     1,    GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1,
                             GLX_DOUBLEBUFFER, True, GLX_DEPTH_SIZE, 1, None};
    int nombre = 0;
    GLXFBConfig *formats = glXChooseFBConfig(connexion, DefaultScreen(connexion), attributs, &nombre);
    if (formats == nullptr || nombre == 0) return false;
    XVisualInfo *visuel = glXGetVisualFromFBConfig(connexion, formats[0]);
    GLXContext contexte = glXCreateNewContext(connexion, formats[0], GLX_RGBA_TYPE, nullptr, True);
    XFree(formats);
    if (visuel == nullptr || contexte == nullptr) {
        if (visuel != nullptr) XFree(visuel);
        return false;
    }
    const Window racine = RootWindow(connexion, visuel->screen);
    XSetWindowAttributes attributsfenetre{};
    attributsfenetre.colormap = XCreateColormap(connexion, racine, visuel->visual, AllocNone);
    // Never mapped: the window manager does not see it, the focus stays where it is.
    brouillon = XCreateWindow(connexion, racine, 0, 0, 1, 1, 0, visuel->depth, InputOutput,
                              visuel->visual, CWColormap, &attributsfenetre);
    XFree(visuel);
    return glXMakeContextCurrent(connexion, brouillon, brouillon, contexte) == True;
}

void libererbrouillon() {
    if (brouillon != 0) XDestroyWindow(connexion, brouillon);
    brouillon = 0;
}

bool pointeur(int &x, int &y) {
    Window racine, enfant;
    int rx, ry;
    unsigned masque;
    return XQueryPointer(glXGetCurrentDisplay(), glXGetCurrentDrawable(), &racine, &enfant, &rx,
                         &ry, &x, &y, &masque) == True;
}

bool fenetreaufocus() {
    Display *d = glXGetCurrentDisplay();
    Window focus;
    int retour;
    XGetInputFocus(d, &focus, &retour);
    // PointerRoot (no window manager, say): keys go to the window under the pointer.
    if (focus == PointerRoot) return true;
    // The focus on the window or on one of its ancestors (a frame, the root): keys go to the
    // window under the pointer, ours while it moves over it. On any other window, or none, not.
    for (Window w = glXGetCurrentDrawable(); w != 0 && focus != None;) {
        if (w == focus) return true;
        Window racine, parent, *enfants;
        unsigned nombre;
        if (XQueryTree(d, w, &racine, &parent, &enfants, &nombre) == 0) return false;
        if (enfants != nullptr) XFree(enfants);
        w = parent;
    }
    return false;
}
