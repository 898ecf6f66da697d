// The converter as first written, on the standard formatted input and output, kept as the
// oracle that the fast converter must match byte for byte.
#include "oracle.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "mot.h"

namespace oracle {


void ecrireentete(FILE *sortie, const char *nomtableau, int32_t motcompte) {
    std::fprintf(sortie,
                 "u32 %s[] = {%i,\n FIFO_COMMAND_PACK(FIFO_BEGIN, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n"
                 " GL_TRIANGLE,\n",
                 nomtableau, static_cast<int>(motcompte));
}

static void ecrirevertex(FILE *sortie, double v1, double v2, double v3) {
    std::fprintf(sortie, "VERTEX_PACK(floatov16(%f),floatov16(%f)),VERTEX_PACK(floatov16(%f),0),\n",
                 v1, v2, v3);
}

static void ecriretexture(FILE *sortie, const float t[2]) {
    // v comes first: S = 128 - 128 v, T = 128 - 128 u.
    std::fprintf(sortie, "TEXTURE_PACK(floatot16(%f),floatot16(%f)),\n",
                 128.0 - 128.0 * static_cast<double>(t[1]),
                 128.0 - 128.0 * static_cast<double>(t[0]));
}

void ecrireface(FILE *sortie, const float a[3], const float b[3], const float c[3]) {
    std::fputs("FIFO_COMMAND_PACK(FIFO_VERTEX16, FIFO_VERTEX16, FIFO_VERTEX16, FIFO_NOP),\n",
               sortie);
    // A tenth of the model's scale, its z in second place and its y in third.
    for (const float *p : {a, b, c})
        ecrirevertex(sortie, static_cast<double>(p[0]) / 10, static_cast<double>(p[2]) / 10,
                     static_cast<double>(p[1]) / 10);
}

void ecrirefacetexture(FILE *sortie, const float face[9], const float ta[2], const float tb[2],
                       const float tc[2]) {
    std::fputs("FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_TEX_COORD, FIFO_VERTEX16),\n",
               sortie);
    ecriretexture(sortie, ta);
    ecrirevertex(sortie, face[0], face[1], face[2]);
    ecriretexture(sortie, tb);
    ecrirevertex(sortie, face[3], face[4], face[5]);
    std::fputs("FIFO_COMMAND_PACK(FIFO_TEX_COORD, FIFO_VERTEX16, FIFO_NOP,FIFO_NOP),\n", sortie);
    ecriretexture(sortie, tc);
    ecrirevertex(sortie, face[6], face[7], face[8]);
}

void ecrirefin(FILE *sortie) {
    std::fputs("FIFO_COMMAND_PACK(FIFO_END, FIFO_NOP, FIFO_NOP, FIFO_NOP),\n};", sortie);
}

int32_t motcompte(int32_t nombrepoint, bool avectexture) {
    const int64_t mots = (avectexture ? 11 : 7) * static_cast<int64_t>(nombrepoint) / 3 + 4;
    if (mots > INT32_MAX) return INT32_MAX;
    if (mots < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(mots);
}



// All tables start zeroed: an entry that was never filled reads as zeros.
constexpr int32_t CAPACITE = 1000000;
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
        } else if (std::strcmp(item, "Textures:") == 0) {
            int32_t numero = 0;
            lireentier(entree, numero);
            float u = 0, v = 0, w = 0;
            if (dansletableau(numero)) {
                utilise(numero);
                lirereels(entree, coordtexx[numero], coordtexy[numero], w);
            } else {
                lirereels(entree, u, v, w);
            }
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


namespace {

int avectexture = 0;

void detectertexture(FILE *detection) {
    char item[256];
    long longueur;
    while ((longueur = lirelemot(detection, item, sizeof item)) >= 0)
        if (longueur < static_cast<long>(sizeof item) && std::strcmp(item, "Textures:") == 0)
            avectexture = 1;
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
    avectexture = 0;
}

void convertir(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau) {
    detectertexture(detection);
    if (avectexture == 1)
        convertiravectexture(entree, sortie, nomtableau);
    else
        convertirsanstexture(entree, sortie, nomtableau);
    ecrirefin(sortie);
}

} // namespace oracle
