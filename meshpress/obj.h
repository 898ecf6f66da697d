#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "messages.h"
#include "modele.h"

// The Wavefront OBJ reader: vertices, texture vertices and polygons of any number of corners,
// the polygons split into triangles, into the tables below; listeobj.cpp writes them as one
// display list at the OBJ's own coordinates.
namespace obj {

// The model as read. Each reading of a model (lireobj, imagesdumodele) empties the tables
// and counts first and fills them; they hold that model until the next is read. Entries are
// named by their table position, from 0.
constexpr int32_t CAPACITE = modele::CAPACITE;
// x, y, z of each v statement, padded to 16 bytes so that none straddles two cache lines; NaN
// first for one whose numbers could not be read (a real as read is never NaN).
extern float sommets[CAPACITE][4];
// u, v of each vt statement (v 0 when it has none); NaN first likewise.
extern float coordonnees[CAPACITE][2];
// The triangles of the faces converted, in the file's order: each corner's vertex and texture
// vertex (-1: none), and the face's material (a position in matieres::table, or
// matieres::AUCUNE, HORSTABLE or NOMTROPLONG).
struct Triangle {
    int32_t sommets[3];
    int32_t textures[3];
    int32_t matiere;
};
extern Triangle triangles[CAPACITE];
// How many entries each table holds.
extern int32_t nsommets, ncoordonnees, ntriangles;
// The faces converted that name a texture vertex at one corner at least: with one, the model is
// written textured.
extern long texturees;

// Whether the model file's name ends in ".obj", in any case.
bool estobj(const char *nom);

// Reads the whole model into the tables and measures the images of the textured faces'
// materials (matieres::table gives their sizes). What it leaves out or reads otherwise than the
// file may mean is said on standard error. False, why in raison, when the model is beyond the
// tables' capacity or cannot be read as text.
bool lireobj(FILE *entree, const char *nommodele, char *raison, size_t taille);

// Says one more thing of the model being converted on standard error, after what the reading
// said; the first message of a model starts a line of its own.
void dire(const char *format, ...) __attribute__((format(FORMATMESSAGE, 1, 2)));

// The images of the materials the model's textured faces use, each once, in the order of the
// materials, found as lireobj finds them (up to place of them, in images, which point into
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
