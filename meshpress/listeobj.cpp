#include "listeobj.h"

#include "ecriture.h"
#include "obj.h"

namespace obj {

namespace {

// How many triangles ahead a triangle's entries are fetched while one is written.
constexpr int32_t AVANCE = 8;

// The header and the face blocks of the tables' triangles. Returns how many texture values fall
// outside the DS's coordinates.
long long ecrireliste(FILE *sortie, const char *nomtableau) {
    const bool avectexture = texturees > 0;
    ecrireentete(sortie, nomtableau, (avectexture ? 11 : 7) * ntriangles + 4);
    long long horstexture = 0;
    for (int32_t i = 0; i < ntriangles; ++i) {
        if (i + AVANCE < ntriangles)
            for (int k = 0; k < 3; ++k) {
                const Triangle &suivant = triangles[i + AVANCE];
                __builtin_prefetch(sommets[suivant.sommets[k]]);
                if (avectexture && suivant.textures[k] >= 0)
                    __builtin_prefetch(coordonnees[suivant.textures[k]]);
            }
        const Triangle &t = triangles[i];
        const float *a = sommets[t.sommets[0]], *b = sommets[t.sommets[1]],
                    *c = sommets[t.sommets[2]];
        if (!avectexture) {
            ecrirefacesommets(sortie, a, b, c);
            continue;
        }
        const float face[9] = {a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2]};
        double paires[6];
        for (int k = 0; k < 3; ++k) {
            paire(t, k, paires[2 * k], paires[2 * k + 1]);
            for (int j = 2 * k; j < 2 * k + 2; ++j)
                horstexture += !(paires[j] >= -2048 && paires[j] < 2048);
        }
        ecrirefacepaires(sortie, face, paires);
    }
    return horstexture;
}

} // namespace

bool convertirobj(FILE *entree, FILE *sortie, const char *nomtableau, const char *nommodele,
                  char *raison, size_t taille) {
    if (!lireobj(entree, nommodele, raison, taille)) return false;
    direhorstexture(ecrireliste(sortie, nomtableau));
    return true;
}

void direhorstexture(long long horstexture) {
    if (horstexture > 0)
        dire("attention : %lld valeurs de texture hors de l'intervalle des coordonnees de la DS "
             "(-2048 <= t < 2048 texels) ; sur la DS elles deborderont.\n",
             horstexture);
}

} // namespace obj
