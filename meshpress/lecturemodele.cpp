#include "lecturemodele.h"

#include <cstring>

#include "systeme.h"

namespace lecturemodele {

alignas(ALIGNEMENTTABLE) Triangle triangles[modele::CAPACITE];
int32_t ntriangles;
bool texturee;

namespace {

// The faces the scan gave, counted beyond the table's capacity: lire sets it to 0.
int64_t donnees;

Triangle *suivant() {
    return donnees++ < modele::CAPACITE ? &triangles[donnees - 1] : nullptr;
}

void sommets(const float a[3], const float b[3], const float c[3]) {
    Triangle *t = suivant();
    if (t == nullptr) return;
    const float *coins[3] = {a, b, c};
    for (int k = 0; k < 3; ++k)
        std::memcpy(t->sommets + 3 * k, coins[k], 3 * sizeof(float));
}

void textures(const float face[9], const float ta[2], const float tb[2], const float tc[2]) {
    Triangle *t = suivant();
    if (t == nullptr) return;
    std::memcpy(t->sommets, face, sizeof t->sommets);
    const float *coins[3] = {ta, tb, tc};
    for (int k = 0; k < 3; ++k) {
        t->textures[2 * k] = coins[k][0];
        t->textures[2 * k + 1] = coins[k][1];
    }
}

} // namespace

bool lire(FILE *entree, bool avectexture, char *raison, size_t taille) {
    grandespages(triangles, sizeof triangles);
    donnees = 0;
    texturee = avectexture;
    if (avectexture)
        modele::lireavectexture(entree, textures);
    else
        modele::liresanstexture(entree, sommets);
    ntriangles = static_cast<int32_t>(donnees < modele::CAPACITE ? donnees : modele::CAPACITE);
    if (donnees <= modele::CAPACITE) return true;
    std::snprintf(raison, taille,
                  "le modele a plus de %d faces, la capacite du convertisseur ; aucune liste "
                  "n'est ecrite",
                  modele::CAPACITE);
    return false;
}

} // namespace lecturemodele
