#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "messages.h"
#include "modele.h"

// The Wavefront OBJ reader: vertices (with their colours), texture vertices, normals and
// polygons of any number of corners, the polygons split into triangles, into the tables below;
// listeobj.cpp writes them as today's display list at the OBJ's own coordinates, maillage.cpp
// builds the lists written with options from them.
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
// x, y, z of each vn statement, as written (not normalised); NaN first for one that cannot be
// read. Only the first CAPACITE are kept: a face naming a later one has no normal there.
extern float normales[CAPACITE][4];
// r, g, b of each v statement that gives them (v x y z r g b, 0 to 1); NaN first for a vertex
// without. aveccouleurs: some vertex of the model gives them.
extern float couleurs[CAPACITE][4];
extern bool aveccouleurs;
// The triangles of the faces converted, in the file's order: each corner's vertex, texture
// vertex and normal (-1: none), and the face's material (a position in matieres::table, or
// matieres::AUCUNE, HORSTABLE or NOMTROPLONG).
struct Triangle {
    int32_t sommets[3];
    int32_t textures[3];
    int32_t normales[3];
    int32_t matiere;
};
extern Triangle triangles[CAPACITE];
// The faces of four corners that became two triangles, premier and premier + 1: the face's
// corners in its own order and winding, each as 3 * j + c, corner c of triangle premier + j
// (-1 for none, should the triangles not use all four).
struct Quad {
    int32_t premier;
    int8_t coins[4];
};
extern Quad quads[CAPACITE / 2];
// How many entries each table holds (nnormales counts every vn read, kept or not).
extern int32_t nsommets, ncoordonnees, nnormales, ntriangles, nquads;
// The faces converted that name a texture vertex at one corner at least: with one, the model is
// written textured.
extern long texturees;

// The texture pair today's list writes for a corner of a triangle of a textured model, in texels
// of its material's image: the row first, t = (1 - v) height, then s = u width (the image's size
// as matieres::table gives it, TAILLEDEFAUT without a material); (height, 0) for a corner
// without a texture vertex.
void paire(const Triangle &triangle, int coin, double &premier, double &second);

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
