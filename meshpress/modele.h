#pragma once
#include <cstdint>
#include <cstdio>

// The text model file and the fixed tables its entries fill. Point, face and texture-vertex
// numbers are table positions from 0 to CAPACITE - 1.
namespace modele {

constexpr int32_t CAPACITE = 1000000;

// Both scans read the whole model and write the header and face blocks as the entries come;
// the terminator is left to the caller.
void convertirsanstexture(FILE *entree, FILE *sortie, const char *nomtableau);
void convertiravectexture(FILE *entree, FILE *sortie, const char *nomtableau);

} // namespace modele
