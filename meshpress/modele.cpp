#include "modele.h"

#include <cstring>

#include "ecriture.h"
#include "lecture.h"

namespace modele {

// All tables start zeroed: an entry that was never filled reads as zeros.
float pointx[CAPACITE], pointy[CAPACITE], pointz[CAPACITE];
float coordtexx[CAPACITE], coordtexy[CAPACITE];
// Per face: x, z, y of corner 1, then of corner 2, then of corner 3.
float faces[CAPACITE][9];
int32_t nombrepoint;
int32_t index;
// Corner numbers, shared by "Faces:" and "FaceTextures:" and kept from entry to entry, so that
// one that cannot be read keeps the previous entry's value (0 before the first entry).
int32_t coins[3];

namespace {

constexpr size_t TAILLEITEM = 256;
const float zeros[9] = {};

bool dansletableau(int32_t numero) {
    return numero >= 0 && numero < CAPACITE;
}

// The positions the tables were written at lie from plusbas to plushaut - 1: what a new
// conversion must clear.
int32_t plusbas = CAPACITE, plushaut = 0;

void utilise(int32_t numero) {
    if (numero < plusbas) plusbas = numero;
    if (numero >= plushaut) plushaut = numero + 1;
}

void lirecoins(Lecteur &entree) {
    for (int32_t &coin : coins)
        if (!lireentier(entree, coin)) return;
}

// "%f %f %f": a value that cannot be read ends the read and keeps its destination and the
// later ones unchanged.
void lirereels(Lecteur &entree, float &a, float &b, float &c) {
    if (lirereel(entree, a) && lirereel(entree, b)) lirereel(entree, c);
}

void lirenombredepoints(FILE *sortie, Lecteur &entree, const char *nomtableau, bool avectexture) {
    lireentier(entree, nombrepoint);
    ecrireentete(sortie, nomtableau, motcompte(nombrepoint, avectexture));
}

void lirepoint(Lecteur &entree) {
    lireentier(entree, index);
    float x = 0, y = 0, z = 0;
    if (!dansletableau(index)) {
        lirereels(entree, x, y, z);
        return;
    }
    utilise(index);
    lirereels(entree, pointx[index], pointy[index], pointz[index]);
}

void point(int32_t numero, float p[3]) {
    if (dansletableau(numero)) {
        p[0] = pointx[numero];
        p[1] = pointy[numero];
        p[2] = pointz[numero];
    } else {
        p[0] = p[1] = p[2] = 0;
    }
}

void texture(int32_t numero, float t[2]) {
    t[0] = dansletableau(numero) ? coordtexx[numero] : 0;
    t[1] = dansletableau(numero) ? coordtexy[numero] : 0;
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

void remettreazero() {
    if (plusbas < plushaut) {
        const size_t debut = static_cast<size_t>(plusbas), n = static_cast<size_t>(plushaut - plusbas);
        std::memset(pointx + debut, 0, n * sizeof pointx[0]);
        std::memset(pointy + debut, 0, n * sizeof pointy[0]);
        std::memset(pointz + debut, 0, n * sizeof pointz[0]);
        std::memset(coordtexx + debut, 0, n * sizeof coordtexx[0]);
        std::memset(coordtexy + debut, 0, n * sizeof coordtexy[0]);
        std::memset(faces + debut, 0, n * sizeof faces[0]);
    }
    plusbas = CAPACITE;
    plushaut = 0;
    nombrepoint = index = 0;
    coins[0] = coins[1] = coins[2] = 0;
}

void convertirsanstexture(FILE *fichier, FILE *sortie, const char *nomtableau) {
    Lecteur entree;
    ouvrirlecteur(entree, fichier);
    parcourir(entree, [&](const char *item) {
        const Motcle mot = motcle(item);
        if (mot == NOMBREDEPOINTS) {
            lirenombredepoints(sortie, entree, nomtableau, false);
        } else if (mot == POINTS) {
            lirepoint(entree);
        } else if (mot == FACES) {
            index = 0;
            lireentier(entree, index);
            lirecoins(entree);
            float a[3], b[3], c[3];
            point(coins[0], a);
            point(coins[1], b);
            point(coins[2], c);
            ecrireface(sortie, a, b, c);
        }
    });
}

void convertiravectexture(FILE *fichier, FILE *sortie, const char *nomtableau) {
    Lecteur entree;
    ouvrirlecteur(entree, fichier);
    parcourir(entree, [&](const char *item) {
        const Motcle mot = motcle(item);
        if (mot == NOMBREDEPOINTS) {
            lirenombredepoints(sortie, entree, nomtableau, true);
        } else if (mot == POINTS) {
            lirepoint(entree);
        } else if (mot == FACES) {
            index = 0;
            lireentier(entree, index);
            lirecoins(entree);
            if (!dansletableau(index)) return;
            utilise(index);
            float *face = faces[index];
            for (int k = 0; k < 3; ++k) {
                float p[3];
                point(coins[k], p);
                // The record holds x, z, y: the model's y and z change places.
                face[3 * k] = p[0];
                face[3 * k + 1] = p[2];
                face[3 * k + 2] = p[1];
            }
        } else if (mot == TEXTURES) {
            int32_t numero = 0;
            lireentier(entree, numero);
            float u = 0, v = 0, w = 0;
            if (dansletableau(numero)) {
                utilise(numero);
                lirereels(entree, coordtexx[numero], coordtexy[numero], w);
            } else {
                lirereels(entree, u, v, w);
            }
        } else if (mot == FACETEXTURES) {
            index = 0;
            lireentier(entree, index);
            lirecoins(entree);
            float ta[2], tb[2], tc[2];
            texture(coins[0], ta);
            texture(coins[1], tb);
            texture(coins[2], tc);
            ecrirefacetexture(sortie, dansletableau(index) ? faces[index] : zeros, ta, tb, tc);
        }
    });
}

} // namespace modele
