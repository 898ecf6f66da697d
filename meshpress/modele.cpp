#include "modele.h"

#include <cstring>

#include "ecriture.h"
#include "lecture.h"
#include "systeme.h"

namespace modele {

// All tables start zeroed: an entry that was never filled reads as zeros. A point's x, y and z
// lie together, padded to 16 bytes so that none straddles two cache lines, and so do a texture
// vertex's u and v: a face naming points far apart costs one cache miss per corner, not three.
alignas(ALIGNEMENTTABLE) float points[CAPACITE][4];
alignas(ALIGNEMENTTABLE) float coordtex[CAPACITE][2];
// Per face: x, z, y of corner 1, then of corner 2, then of corner 3.
alignas(ALIGNEMENTTABLE) float faces[CAPACITE][9];

namespace {

// The tables are read at scattered places: large pages spare most address-translation misses.
void preparertables() {
    grandespages(points, sizeof points);
    grandespages(coordtex, sizeof coordtex);
    grandespages(faces, sizeof faces);
}

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

template <typename Entete> void lirenombredepoints(Lecteur &entree, Etat &etat, Entete entete) {
    lireentier(entree, etat.nombrepoint);
    entete(etat.nombrepoint);
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

// The keyword an item is, compared as C strings: the item's text ends at its first NUL.
template <size_t N> bool egal(const char *item, size_t longueur, const char (&motcle)[N]) {
    return longueur >= N - 1 && std::memcmp(item, motcle, N - 1) == 0 &&
           (longueur == N - 1 || item[N - 1] == '\0');
}

Motcle motcle(const char *item, size_t longueur) {
    switch (item[0]) {
    case 'N':
        return egal(item, longueur, "Nombre_de_points:") ? NOMBREDEPOINTS : AUCUN;
    case 'P':
        return egal(item, longueur, "Points:") ? POINTS : AUCUN;
    case 'F':
        if (egal(item, longueur, "Faces:")) return FACES;
        return egal(item, longueur, "FaceTextures:") ? FACETEXTURES : AUCUN;
    case 'T':
        return egal(item, longueur, "Textures:") ? TEXTURES : AUCUN;
    default:
        return AUCUN;
    }
}

// Item loop shared by both scans: every item that is no keyword of the scan is skipped, and so
// is an item too long to be one, read whole so that no piece of it can pass for a keyword.
template <typename Action> void parcourir(Lecteur &entree, Action action) {
    char item[TAILLEITEM];
    long longueur;
    for (;;) {
        const char *texte = lireitemsurplace(entree, item, sizeof item, longueur);
        if (longueur < 0) return;
        if (longueur < static_cast<long>(TAILLEITEM))
            action(motcle(texte, static_cast<size_t>(longueur)));
    }
}

// Face entries wait in a short queue before they are completed, their table entries fetched
// meanwhile: reading the lines in between hides the memory's delay when the corners lie far
// apart. The queue keeps the entries' order, and every other keyword empties it first, as a later
// entry may change a point or texture vertex a waiting face names; so does the scan's end.
struct Enattente {
    Motcle mot;
    int32_t index;
    int32_t coins[3];
};
constexpr int PROFONDEUR = 8;
struct Attente {
    Enattente entrees[PROFONDEUR];
    int premiere = 0;
    int nombre = 0;
};

template <typename Terminer> void terminerpremiere(Attente &attente, Terminer terminer) {
    terminer(attente.entrees[attente.premiere]);
    attente.premiere = (attente.premiere + 1) % PROFONDEUR;
    --attente.nombre;
}

template <typename Terminer> void vider(Attente &attente, Terminer terminer) {
    while (attente.nombre > 0)
        terminerpremiere(attente, terminer);
}

// Queues the entry just read, prefetching the entries it names in the corners' table and, for a
// scan that keeps face records, its record; completes the oldest one when the queue is full.
template <size_t N, typename Terminer>
void mettreenattente(Attente &attente, Motcle mot, const Etat &etat,
                     const float (&table)[CAPACITE][N], bool enregistrement, Terminer terminer) {
    if (attente.nombre == PROFONDEUR) terminerpremiere(attente, terminer);
    Enattente &face = attente.entrees[(attente.premiere + attente.nombre++) % PROFONDEUR];
    face.mot = mot;
    face.index = etat.index;
    for (int k = 0; k < 3; ++k) {
        face.coins[k] = etat.coins[k];
        if (dansletableau(face.coins[k])) __builtin_prefetch(table[face.coins[k]]);
    }
    if (enregistrement && dansletableau(face.index)) __builtin_prefetch(faces[face.index]);
}

// The untextured scan: entete(point count) at each "Nombre_de_points:", face(a, b, c) at each
// "Faces:", the corners' points as the model holds them then (x, y, z).
template <typename Entete, typename Face>
void parcourirsanstexture(FILE *fichier, Entete entete, Face ecrire) {
    preparertables();
    Lecteur entree;
    ouvrirlecteur(entree, fichier);
    Etat etat;
    Attente attente;
    const auto terminer = [&](const Enattente &face) {
        float a[3], b[3], c[3];
        point(face.coins[0], a);
        point(face.coins[1], b);
        point(face.coins[2], c);
        ecrire(a, b, c);
    };
    parcourir(entree, [&](Motcle mot) {
        if (mot == FACES) {
            lireface(entree, etat);
            return mettreenattente(attente, mot, etat, points, false, terminer);
        }
        if (mot != NOMBREDEPOINTS && mot != POINTS) return;
        vider(attente, terminer);
        if (mot == NOMBREDEPOINTS)
            lirenombredepoints(entree, etat, entete);
        else
            lirepoint(entree, etat);
    });
    vider(attente, terminer);
}

// The textured scan: entete(point count) at each "Nombre_de_points:", face(record, ta, tb, tc)
// at each "FaceTextures:", the record of its face (x, z, y of each corner) and its texture
// vertices (u, v).
template <typename Entete, typename Face>
void parcouriravectexture(FILE *fichier, Entete entete, Face ecrire) {
    preparertables();
    Lecteur entree;
    ouvrirlecteur(entree, fichier);
    Etat etat;
    Attente attente;
    const auto terminer = [&](const Enattente &face) {
        if (face.mot == FACES && dansletableau(face.index)) {
            float *enregistrement = faces[face.index];
            for (int k = 0; k < 3; ++k) {
                float p[3];
                point(face.coins[k], p);
                // The record holds x, z, y: the model's y and z change places.
                enregistrement[3 * k] = p[0];
                enregistrement[3 * k + 1] = p[2];
                enregistrement[3 * k + 2] = p[1];
            }
        } else if (face.mot == FACETEXTURES) {
            float ta[2], tb[2], tc[2];
            texture(face.coins[0], ta);
            texture(face.coins[1], tb);
            texture(face.coins[2], tc);
            ecrire(dansletableau(face.index) ? faces[face.index] : zeros, ta, tb, tc);
        }
    };
    parcourir(entree, [&](Motcle mot) {
        if (mot == AUCUN) return;
        if (mot == FACES) {
            lireface(entree, etat);
            return mettreenattente(attente, mot, etat, points, true, terminer);
        }
        if (mot == FACETEXTURES) {
            lireface(entree, etat);
            return mettreenattente(attente, mot, etat, coordtex, true, terminer);
        }
        vider(attente, terminer);
        if (mot == NOMBREDEPOINTS) {
            lirenombredepoints(entree, etat, entete);
        } else if (mot == POINTS) {
            lirepoint(entree, etat);
        } else if (mot == TEXTURES) {
            int32_t numero = 0;
            lireentier(entree, numero);
            float u = 0, v = 0, w = 0;
            if (dansletableau(numero))
                lirereels(entree, coordtex[numero][0], coordtex[numero][1], w);
            else
                lirereels(entree, u, v, w);
        }
    });
    vider(attente, terminer);
}

} // namespace

void convertirsanstexture(FILE *entree, FILE *sortie, const char *nomtableau) {
    parcourirsanstexture(
        entree,
        [&](int32_t nombrepoint) {
            ecrireentete(sortie, nomtableau, motcompte(nombrepoint, false));
        },
        [&](const float *a, const float *b, const float *c) { ecrireface(sortie, a, b, c); });
}

void convertiravectexture(FILE *entree, FILE *sortie, const char *nomtableau) {
    parcouriravectexture(
        entree,
        [&](int32_t nombrepoint) {
            ecrireentete(sortie, nomtableau, motcompte(nombrepoint, true));
        },
        [&](const float *face, const float *ta, const float *tb, const float *tc) {
            ecrirefacetexture(sortie, face, ta, tb, tc);
        });
}

void pointliste(const float p[3], double liste[3]) {
    liste[0] = static_cast<double>(p[0]) / 10;
    liste[1] = static_cast<double>(p[2]) / 10;
    liste[2] = static_cast<double>(p[1]) / 10;
}

void paire(const float uv[2], double &premier, double &second) {
    premier = 128.0 - 128.0 * static_cast<double>(uv[1]);
    second = 128.0 - 128.0 * static_cast<double>(uv[0]);
}

void liresanstexture(FILE *entree, Facesommets face) {
    parcourirsanstexture(entree, [](int32_t) {}, face);
}

void lireavectexture(FILE *entree, Facetexture face) {
    parcouriravectexture(entree, [](int32_t) {}, face);
}

} // namespace modele
