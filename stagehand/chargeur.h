#pragma once
#include <cstdio>

// What receives each vertex of the triangles, in file order (glVertex3f when compiling).
using Sommet = void (*)(float x, float y, float z);

// Reads one display-list source file from its start and hands the vertices of its triangles
// to sommet, a tenth of the file's values; a fourth word naming no variant goes to console.
void analyserliste(FILE *fichier, Sommet sommet, FILE *console);

// Compiles one display-list source file, read from its start, into a new display list of
// triangles (positions only) and returns the list's name. Needs a current OpenGL context.
unsigned chargerliste(FILE *fichier);

// The load phase: asks on the console for display-list source files, one object each, until
// the answer 0, and sets nombreobjet. Returns false when the program must end: a file that
// cannot be opened ("erreur" printed) or a console that ends before an answer.
bool chargement();
