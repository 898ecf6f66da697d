#pragma once
#include <cstdio>

namespace oracle {

// One whole conversion, detection pass included, as the first converter made it.
void convertir(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau);

// Zeroes the tables and the texture flag, for the next conversion in the same process.
void remettreazero();

// The loader's reading of one display-list source file: the vertices of its triangles, in
// file order, go to sommet; a fourth word naming no variant goes to console.
void analyserliste(FILE *fichier, void (*sommet)(float, float, float), FILE *console);

} // namespace oracle
