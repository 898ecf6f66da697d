#pragma once
#include <cstdio>

// Compiles one display-list source file, read from its start, into a new display list of
// triangles (positions only) and returns the list's name. Needs a current OpenGL context.
unsigned chargerliste(FILE *fichier);

// The load phase: asks on the console for display-list source files, one object each, until
// the answer 0, and sets nombreobjet. Returns false when the program must end: a file that
// cannot be opened ("erreur" printed) or a console that ends before an answer.
bool chargement();
