#pragma once

// What each window system does for the animator, one routine per system.

// Makes current, before the window exists, an OpenGL context of the window's own format on a
// drawable never shown: the console questions compile the objects into it while the console
// keeps the keyboard. The window made next with GLUT_USE_CURRENT_CONTEXT takes this context
// over. False when the system gives none: the window is then made before the questions.
bool preparercontexte();
// Once the window has the context: the drawable that held it is let go.
void libererbrouillon();
// Where the pointer is in the window of the current context, in its pixels; false when the
// system cannot say.
bool pointeur(int &x, int &y);
// Whether a key typed now reaches the window, with the pointer over it: the mouse turns the view
// only then, so that the pointer crosses the window freely while another has the keyboard.
bool fenetreaufocus();
