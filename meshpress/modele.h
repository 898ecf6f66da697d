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

// What today's list writes of the model's values: an untextured face's point, the model's x, z,
// y, a tenth of each; a texture vertex's pair, v first: 128 - 128 v, then 128 - 128 u.
void pointliste(const float p[3], double liste[3]);
void paire(const float uv[2], double &premier, double &second);

// The same scans, handing each face block they would write to face: an untextured one's three
// points (x, y, z as the model holds them), a textured one's record (x, z, y of each corner) and
// texture vertices (u, v of each).
using Facesommets = void (*)(const float a[3], const float b[3], const float c[3]);
using Facetexture = void (*)(const float face[9], const float ta[2], const float tb[2],
                             const float tc[2]);
void liresanstexture(FILE *entree, Facesommets face);
void lireavectexture(FILE *entree, Facetexture face);

} // namespace modele
