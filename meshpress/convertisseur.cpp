#include "convertisseur.h"

#include <cstring>
#include <sys/stat.h>

#include "attente.h"
#include "ecriture.h"
#include "modele.h"
#include "mot.h"

int avectexture = 0;

void detectertexture(FILE *detection) {
    char item[256];
    long longueur;
    while ((longueur = lirelemot(detection, item, sizeof item)) >= 0)
        if (longueur < static_cast<long>(sizeof item) && std::strcmp(item, "Textures:") == 0)
            avectexture = 1;
}

void convertirfichier(FILE *entree, FILE *detection, FILE *sortie, const char *nomtableau) {
    detectertexture(detection);
    if (avectexture == 1)
        modele::convertiravectexture(entree, sortie, nomtableau);
    else
        modele::convertirsanstexture(entree, sortie, nomtableau);
    ecrirefin(sortie);
}

namespace {

void erreur() {
    std::fputs("erreur", stdout);
    std::fflush(stdout);
}

// Reads one answer; false when the console ends first or the word does not fit.
bool lirereponse(char *tampon, size_t taille) {
    std::fflush(stdout);
    long longueur = lirelemot(stdin, tampon, taille);
    return longueur >= 0 && longueur < static_cast<long>(taille);
}

// Opening the output for writing would empty the model before it is read.
bool memefichier(FILE *entree, const char *nomsortie) {
    struct stat e, s;
    return fstat(fileno(entree), &e) == 0 && stat(nomsortie, &s) == 0 && e.st_dev == s.st_dev &&
           e.st_ino == s.st_ino;
}

} // namespace

void convertisseur() {
    char nomentree[256];
    char base[254];
    std::fputs("nom du fichier a convertir (mettre l'extension): ", stdout);
    const bool entreelue = lirereponse(nomentree, sizeof nomentree);
    std::fputs("enregistrer sous (pas d'extension): ", stdout);
    const bool baselue = lirereponse(base, sizeof base);
    if (!entreelue || !baselue) return erreur();

    char nomsortie[256];
    std::snprintf(nomsortie, sizeof nomsortie, "%s.h", base);
    std::printf("%s.c", base);

    FILE *entree = std::fopen(nomentree, "r");
    if (entree == nullptr) return erreur();
    if (memefichier(entree, nomsortie)) {
        std::fclose(entree);
        return erreur();
    }
    FILE *sortie = std::fopen(nomsortie, "w");
    if (sortie == nullptr) {
        std::fclose(entree);
        return erreur();
    }
    FILE *detection = std::fopen(nomentree, "r");
    if (detection == nullptr) {
        std::fclose(entree);
        std::fclose(sortie);
        return erreur();
    }
    convertirfichier(entree, detection, sortie, base);
    std::fclose(detection);
    std::fclose(entree);
    // A full disk shows up here at the latest: an incomplete file is not a success.
    const bool incomplet = std::ferror(sortie) != 0;
    if (std::fclose(sortie) != 0 || incomplet) return erreur();
    attendretouche();
}
