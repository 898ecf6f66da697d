#include "sortie.h"

#include <cerrno>
#include <cstdio>

#include "messages.h"
#include "mot.h"
#include "systeme.h"

bool sortiepermise(const char *sortie, const char *const *entrees, int n,
                   bool (*siennes)(const char *debut, size_t longueur), char *raison,
                   size_t taille) {
    for (int i = 0; i < n; ++i) {
        FILE *lu = ouvrirlecture(entrees[i]);
        if (lu == nullptr) continue;
        const bool meme = memefichier(lu, sortie);
        std::fclose(lu);
        if (meme) {
            std::snprintf(raison, taille,
                          "%s est un des fichiers lus (%s) : l'ecrire le detruirait ; donnez un "
                          "autre nom de sortie (les arguments sont-ils dans l'ordre ?)",
                          sortie, entrees[i]);
            return false;
        }
    }
    if (!existe(sortie)) return true;
    // A directory, a device or a pipe is no file to replace, and opening a pipe would wait.
    if (!estordinaire(sortie)) {
        std::snprintf(raison, taille, "%s n'est pas un fichier ordinaire : il n'est pas remplace",
                      sortie);
        return false;
    }
    FILE *f = ouvrirlecture(sortie);
    if (f == nullptr) {
        std::snprintf(raison, taille, "%s : %s", sortie, raisonsysteme(errno));
        return false;
    }
    char debut[512];
    const size_t lus = std::fread(debut, 1, sizeof debut, f);
    std::fclose(f);
    if (lus == 0 || siennes(debut, lus)) return true;
    std::snprintf(raison, taille,
                  "%s existe et n'a pas ete ecrit par ce programme : il n'est pas remplace ; "
                  "donnez un autre nom de sortie, ou effacez-le d'abord",
                  sortie);
    return false;
}
