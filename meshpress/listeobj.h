#pragma once
#include <cstddef>
#include <cstdio>

// Today's display list of an OBJ model: the reader (obj.h) fills its tables, and the list is
// written from them.
namespace obj {

// Reads the whole model, then writes the header and one face block per triangle (the
// terminator is left to the caller), untextured unless some face names texture vertices. What
// it leaves out or reads otherwise than the file may mean is said on standard error. False,
// with nothing written and why in raison, when the model is beyond the converter's capacity.
bool convertirobj(FILE *entree, FILE *sortie, const char *nomtableau, const char *nommodele,
                  char *raison, size_t taille);

// Says how many texture values fall outside the DS's coordinates, when some do.
void direhorstexture(long long horstexture);

} // namespace obj
