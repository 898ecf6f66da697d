#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "modele.h"

// The text model read into a table, for the lists written with options: the faces today's list
// writes, in its order, with the values it writes them from.
namespace lecturemodele {

// Each corner's point in the DS's order (the model's x, z, y; today's list divides them by 10
// when the model is untextured) and, for a textured model, its texture vertex (u, v).
struct Triangle {
    float sommets[9];
    float textures[6];
};
extern Triangle triangles[modele::CAPACITE];
extern int32_t ntriangles;
extern bool texturee;

// Reads the model as the scan avectexture chooses would write it. False, why in raison, when it
// writes more faces than the table holds.
bool lire(FILE *entree, bool avectexture, char *raison, size_t taille);

} // namespace lecturemodele
