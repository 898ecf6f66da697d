#include "fenetre.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fstream>
#include <unistd.h>

namespace fenetre {

static Window trouver(Display *d, Window racine, const std::string &titre) {
    char *nom = nullptr;
    if (XFetchName(d, racine, &nom) && nom != nullptr) {
        const bool egal = titre == nom;
        XFree(nom);
        XWindowAttributes a;
        if (egal && XGetWindowAttributes(d, racine, &a) && a.map_state == IsViewable) return racine;
    }
    Window r, parent, *enfants = nullptr;
    unsigned n = 0;
    Window trouve = 0;
    if (XQueryTree(d, racine, &r, &parent, &enfants, &n)) {
        for (unsigned i = 0; i < n && trouve == 0; ++i) trouve = trouver(d, enfants[i], titre);
        if (enfants != nullptr) XFree(enfants);
    }
    return trouve;
}

Id chercher(Ecran *d, const std::string &titre) {
    for (int essai = 0; essai < 200; ++essai) {
        if (Window w = trouver(d, DefaultRootWindow(d), titre)) return w;
        usleep(50000);
    }
    return 0;
}

Image capturer(Ecran *d, Id w) {
    XWindowAttributes a;
    Image image;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return image;
    XImage *x = XGetImage(d, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (x == nullptr) return image;
    image.largeur = a.width;
    image.hauteur = a.height;
    image.rgb.resize(3 * static_cast<size_t>(a.width) * a.height);
    for (int y = 0; y < a.height; ++y)
        for (int xx = 0; xx < a.width; ++xx) {
            const unsigned long p = XGetPixel(x, xx, y);
            unsigned char *c = &image.rgb[3 * (static_cast<size_t>(y) * a.width + xx)];
            c[0] = (p & x->red_mask) >> __builtin_ctzl(x->red_mask);
            c[1] = (p & x->green_mask) >> __builtin_ctzl(x->green_mask);
            c[2] = (p & x->blue_mask) >> __builtin_ctzl(x->blue_mask);
        }
    XDestroyImage(x);
    return image;
}

void position(Ecran *d, Id w, int &x, int &y) {
    Window enfant;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &enfant);
}

Image capturercontexte() {
    Display *d = XOpenDisplay(nullptr);
    Image image = capturer(d, glXGetCurrentDrawable());
    XCloseDisplay(d);
    return image;
}

void enregistrerppm(const Image &image, const std::string &chemin) {
    std::ofstream f(chemin, std::ios::binary);
    f << "P6\n" << image.largeur << ' ' << image.hauteur << "\n255\n";
    f.write(reinterpret_cast<const char *>(image.rgb.data()),
            static_cast<std::streamsize>(image.rgb.size()));
}

void demanderfermeture(Ecran *d, Id w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
}

} // namespace fenetre

namespace fenetre {

void ouvrirglut(int &argc, char **argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(640, 480);
    // Fully on the screen, so that the X server can give its pixels back.
    glutInitWindowPosition(50, 50);
    glutCreateWindow("stagehand");
    glutDisplayFunc([] {});
    for (int i = 0; i < 20; ++i) {
        glutMainLoopEvent();
        usleep(10000);
    }
}

} // namespace fenetre
