#pragma once
#include <cstddef>
#include <cstdint>

#include "modele.h"

// The model as the DS will take it, for the lists written with options: every vertex (a corner's
// position, texture pair, normal and colour, each already the value the DS's command carries)
// once, and the triangles over them in the order and winding of today's lists. The reader fills
// it (construire), the packer (paquet.h) reads it.
namespace maillage {

constexpr int32_t CAPACITE = modele::CAPACITE;
constexpr int32_t AUCUNE = -1;

// What the options ask of the list.
struct Options {
    bool normales;     // a normal per vertex
    bool plates;       // computed normals flat per face, not smoothed
    double angle;      // smooth across faces meeting at less than this, in degrees
    bool couleurs;     // vertex colours, else the materials' Kd
    bool compacte;     // quads, strips and the cheapest vertex commands
    double echelle;    // every coordinate multiplied by it (1: none)
    bool ajuster;      // the vertices brought within the VERTEX16 range, the list restoring the size
    bool binaire;      // base.bin in place of base.h
};
extern Options options;
// Whether some option asks for the new form.
bool nouvelleforme();

// One vertex of the list. x, y, z: 4.12, as VERTEX16 takes them; t, s: the texture pair in 12.4
// texels, t the row (TEXCOORD's high half) and s the column (its low half), when the model is
// textured; normale: the NORMAL parameter word, or AUCUNE; couleur: RGB15, or AUCUNE.
struct Sommet {
    int16_t x, y, z;
    int16_t t, s;
    int32_t normale;
    int32_t couleur;
};
constexpr int32_t MAXSOMMETS = 3 * CAPACITE;
extern Sommet sommets[MAXSOMMETS];
extern int32_t nsommets;

// The triangles, three positions in sommets each, in today's order and winding.
extern int32_t triangles[CAPACITE][3];
extern int32_t ntriangles;

// A planar convex quad of the model: triangles premier and premier + 1 cover it; its corners in
// the polygon's own order and winding.
struct Quad {
    int32_t premier;
    int32_t coins[4];
};
extern Quad quads[CAPACITE / 2];
extern int32_t nquads;

// Which values the vertices carry, and how colours are sent: as DIF_AMB (diffuse and ambient,
// so that lighting takes them) when the list is lit, as COLOR otherwise.
extern bool texturee, eclairee, coloree;
// With options.ajuster: the list scales by 2^exposant inside MTX_PUSH and MTX_POP.
extern int exposant;

// Some option was given on the command line (--echelle=1 too): the list takes the new form.
extern bool demandee;
// The options as the list's comment names them, canonical: "--normales=lisses --angle=60
// --couleurs --compacte --echelle=ajuster" ("" for none).
void decrire(char *texte, size_t taille);

// Builds the model from the OBJ reader's tables (obj.h), or from the text model's
// (lecturemodele.h), with the options.
void construireobj();
void construiremodele();

// What the DS will draw otherwise than the model says, counted by construire like today's
// writer counts them: position values outside the VERTEX16 range (they wrap), the largest
// magnitude among them before --echelle, values that are no number or infinite (taken as 0),
// and OBJ texture values outside the DS's coordinates (-2048 <= t < 2048 texels).
extern long long horslimites, nonfinis, horstexture;
extern double plusgrande;

// The integer the DS macro gives a value the list would print with "%f": floattov16 (bits 12)
// or floattot16 (bits 4), trunc(strtod(text) * 2^bits), to 16 bits as the DS's cast wraps it.
// hors: the integer was beyond the 16-bit range. A value that is no number or infinite gives 0.
int16_t virgulefixe(double valeur, int bits, bool &hors);

} // namespace maillage
