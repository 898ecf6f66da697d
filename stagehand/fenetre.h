#pragma once

// Waits until the window system has delivered every event it queued so far: what the user did
// in the window before this call is then in GLUT's hands.
void synchroniserfenetre();
