#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// The Wavefront OBJ reader: vertices, texture vertices and polygons of any number of corners,
// the polygons split into triangles, written as one display list at the OBJ's own coordinates.
namespace obj {

// Whether the model file's name ends in ".obj", in any case.
bool estobj(const char *nom);

// Reads the whole model, then writes the header and one face block per triangle (the
// terminator is left to the caller), untextured unless some face names texture vertices. What
// it leaves out or reads otherwise than the file may mean is said on standard error. False,
// with nothing written and why in raison, when the model is beyond the converter's capacity.
bool convertirobj(FILE *entree, FILE *sortie, const char *nomtableau, const char *nommodele,
                  char *raison, size_t taille);

// The images of the materials the model's textured faces use, each once, in the order of the
// materials, found as convertirobj finds them (up to place of them, in images, which point into
// the material table until the next model): how many, or -1 when the model cannot be read, with
// why in raison. Says nothing of the model: that is the conversion's to say.
int imagesdumodele(FILE *entree, const char *nommodele, const char **images, int place,
                   char *raison, size_t taille);

// Why the model just converted gave no triangle: it had no face, or each was left out.
const char *sanstriangle();

// A real as OBJ files write them, the whole word: [sign] digits [. digits] [e [sign] digits],
// correctly rounded to float as strtof rounds it. False for any other text and for a value
// beyond the float range.
bool lirereel(const char *texte, size_t longueur, float &valeur);

} // namespace obj
