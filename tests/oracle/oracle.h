#pragma once
#include <cstdio>

namespace oracle {

// One whole conversion, detection pass included, as the first converter made it.
void convertir(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau);

// Zeroes the tables and the texture flag, for the next conversion in the same process.
void remettreazero();

} // namespace oracle
