#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "modele.h"

// The text model read into a table, for the lists written with options: the faces today's list
// writes, in its order, with the values it writes them from.
namespace lecturemodele {

// Each corner's point as the scan hands it (untextured: the model's x, y, z, which
// modele::pointliste turns into the list's; textured: the record's x, z, y, written as they are)
// and, for a textured model, its texture vertex (u, v).
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
