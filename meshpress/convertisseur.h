#pragma once
#include <cstdio>

// 1 once the model holds a "Textures:" item.
extern int avectexture;

// Reads the detection handle to its end and sets avectexture on an exact "Textures:" item.
void detectertexture(FILE *detection);

// One conversion: detection on its own handle, the matching scan, then the terminator.
void convertirfichier(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau);

// The console program: asks for the model and the base name, converts, and waits for a key.
void convertisseur();
