#include "modele.h"

#include <cstring>

#include "ecriture.h"
#include "lecture.h"

namespace modele {

// All tables start zeroed: an entry that was never filled reads as zeros. A point's x, y and z
// lie together, padded to 16 bytes so that none straddles two cache lines, and so do a texture
// vertex's u and v: a face naming points far apart costs one cache miss per corner, not three.
alignas(64) float points[CAPACITE][4];
alignas(64) float coordtex[CAPACITE][2];
// Per face: x, z, y of corner 1, then of corner 2, then of corner 3.
float faces[CAPACITE][9];

namespace {

constexpr size_t TAILLEITEM = 256;
const float zeros[9] = {};

bool dansletableau(int32_t numero) {
    return numero >= 0 && numero < CAPACITE;
}

// What a conversion keeps from one entry to the next: the point count, the number of the
// current entry, and the corner numbers shared by "Faces:" and "FaceTextures:", so that one
// that cannot be read keeps the previous entry's value (0 before the first entry).
struct Etat {
    int32_t nombrepoint = 0;
    int32_t index = 0;
    int32_t coins[3] = {};
};

void lirecoins(Lecteur &entree, Etat &etat) {
    for (int32_t &coin : etat.coins)
        if (!lireentier(entree, coin)) return;
}

// "%f %f %f": a value that cannot be read ends the read and keeps its destination and the
// later ones unchanged.
void lirereels(Lecteur &entree, float &a, float &b, float &c) {
    if (lirereel(entree, a) && lirereel(entree, b)) lirereel(entree, c);
}

void lirenombredepoints(FILE *sortie, Lecteur &entree, Etat &etat, const char *nomtableau,
                        bool avectexture) {
    lireentier(entree, etat.nombrepoint);
    ecrireentete(sortie, nomtableau, motcompte(etat.nombrepoint, avectexture));
}

// The point number is not reset: one that cannot be read keeps the previous entry's.
void lirepoint(Lecteur &entree, Etat &etat) {
    lireentier(entree, etat.index);
    const int32_t i = etat.index;
    float x = 0, y = 0, z = 0;
    if (dansletableau(i))
        lirereels(entree, points[i][0], points[i][1], points[i][2]);
    else
        lirereels(entree, x, y, z);
}

// The number of a "Faces:" or "FaceTextures:" entry, 0 when it cannot be read, then its
// corners.
void lireface(Lecteur &entree, Etat &etat) {
    etat.index = 0;
    lireentier(entree, etat.index);
    lirecoins(entree, etat);
}

void point(int32_t numero, float p[3]) {
    if (dansletableau(numero)) {
        p[0] = points[numero][0];
        p[1] = points[numero][1];
        p[2] = points[numero][2];
    } else {
        p[0] = p[1] = p[2] = 0;
    }
}

void texture(int32_t numero, float t[2]) {
    t[0] = dansletableau(numero) ? coordtex[numero][0] : 0;
    t[1] = dansletableau(numero) ? coordtex[numero][1] : 0;
}

enum Motcle { AUCUN, NOMBREDEPOINTS, POINTS, FACES, TEXTURES, FACETEXTURES };

// The keyword an item is, compared as C strings (an item's text ends at its first NUL). The
// item buffer is fully initialised, so comparing a keyword with its NUL compares the strings.
template <size_t N> bool egal(const char *item, const char (&motcle)[N]) {
    return std::memcmp(item, motcle, N) == 0;
}

Motcle motcle(const char *item) {
    switch (item[0]) {
    case 'N':
        return egal(item, "Nombre_de_points:") ? NOMBREDEPOINTS : AUCUN;
    case 'P':
        return egal(item, "Points:") ? POINTS : AUCUN;
    case 'F':
        if (egal(item, "Faces:")) return FACES;
        return egal(item, "FaceTextures:") ? FACETEXTURES : AUCUN;
    case 'T':
        return egal(item, "Textures:") ? TEXTURES : AUCUN;
    default:
        return AUCUN;
    }
}

// Item loop shared by both scans: every item that is no keyword of the scan is skipped, and so
// is an item too long to be one, read whole so that no piece of it can pass for a keyword.
template <typename Action> void parcourir(Lecteur &entree, Action action) {
    char item[TAILLEITEM] = {};
    long longueur;
    while ((longueur = lireitem(entree, item, sizeof item)) >= 0)
        if (longueur < static_cast<long>(TAILLEITEM)) action(item);
}

} // namespace

void convertirsanstexture(FILE *fichier, FILE *sortie, const char *nomtableau) {
    Lecteur entree;
    ouvrirlecteur(entree, fichier);
    Etat etat;
    parcourir(entree, [&](const char *item) {
        const Motcle mot = motcle(item);
        if (mot == NOMBREDEPOINTS) {
            lirenombredepoints(sortie, entree, etat, nomtableau, false);
        } else if (mot == POINTS) {
            lirepoint(entree, etat);
        } else if (mot == FACES) {
            lireface(entree, etat);
            float a[3], b[3], c[3];
            point(etat.coins[0], a);
            point(etat.coins[1], b);
            point(etat.coins[2], c);
            ecrireface(sortie, a, b, c);
        }
    });
}

void convertiravectexture(FILE *fichier, FILE *sortie, const char *nomtableau) {
    Lecteur entree;
    ouvrirlecteur(entree, fichier);
    Etat etat;
    parcourir(entree, [&](const char *item) {
        const Motcle mot = motcle(item);
        if (mot == NOMBREDEPOINTS) {
            lirenombredepoints(sortie, entree, etat, nomtableau, true);
        } else if (mot == POINTS) {
            lirepoint(entree, etat);
        } else if (mot == FACES) {
            lireface(entree, etat);
            if (!dansletableau(etat.index)) return;
            float *face = faces[etat.index];
            for (int k = 0; k < 3; ++k) {
                float p[3];
                point(etat.coins[k], p);
                // The record holds x, z, y: the model's y and z change places.
                face[3 * k] = p[0];
                face[3 * k + 1] = p[2];
                face[3 * k + 2] = p[1];
            }
        } else if (mot == TEXTURES) {
            int32_t numero = 0;
            lireentier(entree, numero);
            float u = 0, v = 0, w = 0;
            if (dansletableau(numero))
                lirereels(entree, coordtex[numero][0], coordtex[numero][1], w);
            else
                lirereels(entree, u, v, w);
        } else if (mot == FACETEXTURES) {
            lireface(entree, etat);
            float ta[2], tb[2], tc[2];
            texture(etat.coins[0], ta);
            texture(etat.coins[1], tb);
            texture(etat.coins[2], tc);
            ecrirefacetexture(sortie, dansletableau(etat.index) ? faces[etat.index] : zeros, ta, tb, tc);
        }
    });
}

} // namespace modele
