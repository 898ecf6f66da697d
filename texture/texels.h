#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// A texture image in the DS's direct colour: each texel 5 bits each of red, green and blue (red
// lowest), bit 15 set where the image is opaque, rows from the top; written as C text for a DS
// program, with its sides as glTexImage2D's constants.
namespace texels {

constexpr int COTEMIN = 8, COTEMAX = 1024;
// The four texture banks, A to D.
constexpr long OCTETSMAX = 512 * 1024;

extern uint16_t table[OCTETSMAX / 2];
extern int largeur, hauteur;

// An 8-bit channel reduced to 5 bits, to the nearest; alpha from 128 up is opaque.
uint16_t texel(unsigned rouge, unsigned vert, unsigned bleu, unsigned alpha);

// Reads the image (PNG or BMP) into table; false, with why
// (French) in raison, for a file that is no such image or whose sides are no DS texture's.
bool lire(const char *nom, char *raison, size_t taille);

// The glTexImage2D constant of a side: "TEXTURE_SIZE_8" to "TEXTURE_SIZE_1024".
const char *constante(int cote);

// The C text of table: the array nomtableau[] and its sides, nomtableau_largeur and
// nomtableau_hauteur; source names the image in its comment.
void ecrire(FILE *sortie, const char *nomtableau, const char *source);

} // namespace texels
