#include "fenetre.h"

#include <windows.h>

#include <GL/gl.h>

namespace {

HWND brouillon;

} // namespace

bool preparercontexte() {
    // A window never shown: Windows neither activates it nor asks it for messages, so it
    // cannot be "not responding" while the console questions wait.
    brouillon = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (brouillon == nullptr) return false;
    HDC dc = GetDC(brouillon);
    // The format freeglut asks for GLUT_DOUBLE | GLUT_DEPTH, so that the window's is the same.
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cDepthBits = 24;
    format.iLayerType = PFD_MAIN_PLANE;
    const int numero = ChoosePixelFormat(dc, &format);
    HGLRC contexte = nullptr;
    if (numero != 0 && SetPixelFormat(dc, numero, &format)) contexte = wglCreateContext(dc);
    if (contexte != nullptr && wglMakeCurrent(dc, contexte)) return true;
    if (contexte != nullptr) wglDeleteContext(contexte);
    ReleaseDC(brouillon, dc);
    libererbrouillon();
    return false;
}

void libererbrouillon() {
    if (brouillon != nullptr) DestroyWindow(brouillon);
    brouillon = nullptr;
}

bool pointeur(int &x, int &y) {
    POINT p;
    if (!GetCursorPos(&p) || !ScreenToClient(WindowFromDC(wglGetCurrentDC()), &p)) return false;
    x = p.x, y = p.y;
    return true;
}

bool fenetreaufocus() {
    // The window of the current context is GLUT's, that of the window phase.
    return GetForegroundWindow() == WindowFromDC(wglGetCurrentDC());
}
