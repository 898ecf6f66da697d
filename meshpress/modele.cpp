#include "modele.h"

#include <cstring>

#include "ecriture.h"
#include "mot.h"

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

// One "%i" value. A number beyond the 32-bit range reads as the nearest end of it; a value
// that cannot be read leaves the destination as it was. Returns whether a value was read.
bool lireentier(FILE *entree, int32_t &destination) {
    long long valeur;
    if (std::fscanf(entree, "%lli", &valeur) != 1) return false;
    if (valeur > INT32_MAX) valeur = INT32_MAX;
    if (valeur < INT32_MIN) valeur = INT32_MIN;
    destination = static_cast<int32_t>(valeur);
    return true;
}

void lirecoins(FILE *entree) {
    for (int32_t &coin : coins)
        if (!lireentier(entree, coin)) return;
}

// "%f %f %f": a value that cannot be read ends the read and keeps its destination and the
// later ones unchanged.
void lirereels(FILE *entree, float &a, float &b, float &c) {
    std::fscanf(entree, "%f %f %f", &a, &b, &c);
}

void lirenombredepoints(FILE *sortie, FILE *entree, const char *nomtableau, bool avectexture) {
    lireentier(entree, nombrepoint);
    ecrireentete(sortie, nomtableau, motcompte(nombrepoint, avectexture));
}

void lirepoint(FILE *entree) {
    lireentier(entree, index);
    float x = 0, y = 0, z = 0;
    if (!dansletableau(index)) {
        lirereels(entree, x, y, z);
        return;
    }
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

// Item loop shared by both scans: every item that is no keyword of the scan is skipped, and so
// is an item too long to be one, read whole so that no piece of it can pass for a keyword.
template <typename Action> void parcourir(FILE *entree, Action action) {
    char item[TAILLEITEM];
    long longueur;
    while ((longueur = lirelemot(entree, item, sizeof item)) >= 0)
        if (longueur < static_cast<long>(TAILLEITEM)) action(item);
}

} // namespace

void convertirsanstexture(FILE *entree, FILE *sortie, const char *nomtableau) {
    parcourir(entree, [&](const char *item) {
        if (std::strcmp(item, "Nombre_de_points:") == 0) {
            lirenombredepoints(sortie, entree, nomtableau, false);
        } else if (std::strcmp(item, "Points:") == 0) {
            lirepoint(entree);
        } else if (std::strcmp(item, "Faces:") == 0) {
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

void convertiravectexture(FILE *entree, FILE *sortie, const char *nomtableau) {
    parcourir(entree, [&](const char *item) {
        if (std::strcmp(item, "Nombre_de_points:") == 0) {
            lirenombredepoints(sortie, entree, nomtableau, true);
        } else if (std::strcmp(item, "Points:") == 0) {
            lirepoint(entree);
        } else if (std::strcmp(item, "Faces:") == 0) {
            index = 0;
            lireentier(entree, index);
            lirecoins(entree);
            if (!dansletableau(index)) return;
            float *face = faces[index];
            for (int k = 0; k < 3; ++k) {
                float p[3];
                point(coins[k], p);
                // The record holds x, z, y: the model's y and z change places.
                face[3 * k] = p[0];
                face[3 * k + 1] = p[2];
                face[3 * k + 2] = p[1];
            }
        } else if (std::strcmp(item, "Textures:") == 0) {
            int32_t numero = 0;
            lireentier(entree, numero);
            float u = 0, v = 0, w = 0;
            if (dansletableau(numero))
                lirereels(entree, coordtexx[numero], coordtexy[numero], w);
            else
                lirereels(entree, u, v, w);
        } else if (std::strcmp(item, "FaceTextures:") == 0) {
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
