#include "fenetre.h"

#include <GL/glx.h>

void synchroniserfenetre() {
    // A round trip to the X server: every event it sent before its answer is read and queued.
    XSync(glXGetCurrentDisplay(), False);
}
