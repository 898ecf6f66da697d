#include "fenetre.h"

// Windows keeps a thread's input in that thread's own queue, filled as the input comes: every
// message sent so far is already there for GLUT to take.
void synchroniserfenetre() {}
