#pragma once
#include <cstddef>

// The materials of an OBJ model, from its MTL libraries: the texture image each one's faces
// are drawn with (map_Kd), and that image's size, which the texture pairs are written for; and
// its diffuse colour (Kd), which the lists written with --couleurs give its faces.
namespace matieres {

constexpr int MAXMATIERES = 1024;
constexpr size_t TAILLENOM = 256;
constexpr size_t TAILLECHEMIN = 1024;
// The size pairs are written for when the image's cannot be had.
constexpr int TAILLEDEFAUT = 128;

struct Matiere {
    char nom[TAILLENOM];
    bool definie;                    // an MTL library gave it
    char ecrite[TAILLECHEMIN];       // its map_Kd file's name as the library writes it
    char bibliotheque[TAILLECHEMIN]; // the folder of that library
    char image[TAILLECHEMIN];        // that file, found from the library's folder; "" for none
    char introuvable[TAILLECHEMIN];  // the name as written when another file of its name is used
    int largeur, hauteur;            // what the pairs are written for
    char raison[TAILLECHEMIN + 128]; // why that is TAILLEDEFAUT, or ""
    bool aveckd;                     // the library gives Kd r g b (or Kd r: grey)
    float kd[3];
};

// What a face's material is when it is no entry of the table: none (no usemtl), one beyond the
// table's capacity, one whose name is too long to be held whole.
constexpr int AUCUNE = -1, HORSTABLE = -2, NOMTROPLONG = -3;

extern Matiere table[MAXMATIERES];
extern int nombre;

// The MTL libraries read since the last oublier(), as opened (the first MAXBIBLIOTHEQUES).
constexpr int MAXBIBLIOTHEQUES = 64;
extern char bibliotheques[MAXBIBLIOTHEQUES][TAILLECHEMIN];
extern int nombrebibliotheques;

// Forgets every material and library: a new model starts.
void oublier();

// Reads the MTL library nom, named relative to the folder dossier (ends in its separator, or
// ""): read, not found (it cannot be opened), or refused as text of another encoding than UTF-8,
// with why in raison.
enum Lecture { LUE, INTROUVABLE, REFUSEE };
Lecture lirebibliotheque(const char *nom, const char *dossier, char *raison, size_t taille);

// The number of the material named nom, one no library gave being added undefined; HORSTABLE
// once the table is full.
int trouver(const char *nom);

// Sets a material's size from its image's header, or TAILLEDEFAUT and the reason. An image that
// cannot be opened as written is looked for by its name alone beside the library, then in the
// model's folder dossiermodele; introuvable then keeps the name as written.
void mesurer(Matiere &m, const char *dossiermodele);

// The folder of a file's name, with its separator, into dossier ("" for none).
void dossierde(const char *nom, char *dossier, size_t taille);

} // namespace matieres
