#pragma once
#include <cstdio>

// 1 once the model holds a "Textures:" item.
extern int avectexture;

// Reads the detection handle to its end and sets avectexture on an exact "Textures:" item.
void detectertexture(FILE *detection);

// One conversion of the model named nommodele: an OBJ file (its name ends in ".obj") through
// the OBJ reader, any other through detection on its own handle and the matching scan; then the
// terminator. False, with nothing written and why in raison, for an OBJ model beyond the
// converter's capacity.
bool convertirfichier(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau,
                      const char *nommodele, char *raison, size_t taille);

// The console program: asks for the model and the base name, converts, and waits for a key.
void convertisseur();
