#pragma once
// The real window of a running program, seen through the X server as a user sees it.
#include <string>
#include <vector>

// Xlib's types are named by their underlying ones, so that this header can stand beside the
// animator's own Display callback.
struct _XDisplay;

namespace fenetre {

using Ecran = _XDisplay;
using Id = unsigned long;

struct Image {
    int largeur = 0, hauteur = 0;
    std::vector<unsigned char> rgb; // 3 bytes a pixel, rows from the top
    const unsigned char *pixel(int x, int y) const {
        return &rgb[3 * (static_cast<size_t>(y) * largeur + x)];
    }
};

// Waits (a few seconds at most) for a mapped window of that title; 0 if none came.
Id chercher(Ecran *d, const std::string &titre);
Image capturer(Ecran *d, Id w);
// Where the window's top left corner is on the screen.
void position(Ecran *d, Id w, int &x, int &y);
// The window of the current OpenGL context.
Image capturercontexte();
void enregistrerppm(const Image &image, const std::string &chemin);
// The animator's window (640 by 480, titled stagehand) with its OpenGL context, for tests that
// call the animator's routines in-process; returns once it is mapped.
void ouvrirglut(int &argc, char **argv);
// The window system's close request, as a window manager sends it.
void demanderfermeture(Ecran *d, Id w);

} // namespace fenetre
