#pragma once

// The keyframe files: one per object, each holding one C function, position<file number>,
// that places its object for a keyframe number; and the camera's, holding the function camera,
// that sets the projection and the view for a keyframe number.

// -r: the files of the base name are continued after their last keyframe, each object starting
// at the pose of its last one and the camera at its view, instead of being emptied.
extern bool reprendre;

// Asks for the base name and creates the files base0.txt, base1.txt, ... each after its
// confirmation, then base_camera.txt. Returns false when the program must end ("erreur"
// printed, or no answer).
bool ouvrirfichiers();
// Creates the files of the base name, without asking for it. A file about to be emptied that
// holds anything but a keyframe file without keyframes is said, and kept whole as its next
// numbered copy, name.~N~.
bool creerfichiers(const char *base);
// Appends the pose of every object and the view as the next keyframe (the Enter key).
void enregistrerposition();
// Writes each function's closing brace and closes the files; only the first call acts.
void fermerfichiers();
// Esc or the window's closing: the files closed, then the end of the program, with status 1 when
// a failure was said on the way (a keyframe or a closing brace that could not be written).
[[noreturn]] void terminer();
