#include "memoire.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "chargeur.h"
#include "convertisseur.h"
#include "modele.h"
#include "oracle.h"

namespace memoire {

namespace {

// fmemopen refuses an empty buffer: a lone space reads the same as nothing to both readers.
FILE *ouvrir(const uint8_t *donnees, size_t taille) {
    static char espace[] = " ";
    if (taille == 0) return fmemopen(espace, 1, "r");
    return fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
}

std::string fermer(FILE *flux, char *&texte, size_t &taille) {
    std::fclose(flux);
    std::string resultat(texte, taille);
    std::free(texte);
    return resultat;
}

std::vector<float> *recus = nullptr;

void recevoir(float x, float y, float z) {
    recus->insert(recus->end(), {x, y, z});
}

} // namespace

std::string convertir(const uint8_t *donnees, size_t taille, bool parloracle) {
    FILE *entree = ouvrir(donnees, taille);
    FILE *detection = ouvrir(donnees, taille);
    char *texte = nullptr;
    size_t longueur = 0;
    FILE *sortie = open_memstream(&texte, &longueur);
    if (parloracle) {
        oracle::remettreazero();
        oracle::convertir(entree, detection, sortie, "modele");
    } else {
        modele::remettreazero();
        avectexture = 0;
        convertirfichier(entree, detection, sortie, "modele");
    }
    std::fclose(entree);
    std::fclose(detection);
    return fermer(sortie, texte, longueur);
}

Lecture lire(const uint8_t *donnees, size_t taille, bool parloracle) {
    Lecture resultat;
    recus = &resultat.sommets;
    FILE *f = ouvrir(donnees, taille);
    char *texte = nullptr;
    size_t longueur = 0;
    FILE *console = open_memstream(&texte, &longueur);
    if (parloracle)
        oracle::analyserliste(f, recevoir, console);
    else
        analyserliste(f, recevoir, console);
    std::fclose(f);
    resultat.console = fermer(console, texte, longueur);
    return resultat;
}

bool memessommets(const std::vector<float> &a, const std::vector<float> &b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), 4 * a.size()) == 0);
}

} // namespace memoire
