#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "identificateur.h"
#include "matieres.h"
#include "messages.h"
#include "mot.h"
#include "obj.h"
#include "options.h"
#include "systeme.h"
#include "texels.h"

namespace {

const char USAGE[] =
    "usage : meshpress-texture [--help] [--version] MODELE.obj|IMAGE SORTIE.h [DEPENDANCES.d]\n"
    "Ecrit la texture d'un modele OBJ (l'image map_Kd des matieres de ses faces), ou une image,\n"
    "en couleur directe de la DS : un fichier C, SORTIE.h, qui definit le tableau u16 SORTIE[]\n"
    "et ses cotes SORTIE_largeur et SORTIE_hauteur pour glTexImage2D. DEPENDANCES.d dit a make\n"
    "les fichiers lus. Voir man meshpress-texture.\n";

char raison[2 * matieres::TAILLECHEMIN + 256];

[[noreturn]] void echouer(const char *sortie) {
    imprimer(stderr, "meshpress-texture : erreur : %s\n", raison);
    if (sortie != nullptr) effacer(sortie);
    std::exit(1);
}

// A name as make reads it in a rule: blanks, '#' and '$' escaped.
void nommake(FILE *f, const char *nom) {
    for (const char *c = nom; *c != '\0'; ++c) {
        if (*c == ' ' || *c == '\t' || *c == '#') std::fputc('\\', f);
        if (*c == '$') std::fputc('$', f);
        std::fputc(*c, f);
    }
}

} // namespace

int main(int argc, char **argv) {
    preparerconsole();
    const char *arguments[3] = {};
    int n = 0;
    for (int i = 1; i < argc; ++i)
        if (!optioncommune(argv[i], "meshpress-texture", USAGE)) {
            if (n == 3 || argv[i][0] == '-') refuserargument(argv[i], "meshpress-texture", USAGE);
            arguments[n++] = argv[i];
        }
    if (n < 2) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    const char *entree = arguments[0], *sortie = arguments[1], *dependances = arguments[2];
    // The array is named after the output's base name, as meshpress names a list.
    char nom[matieres::TAILLECHEMIN];
    std::snprintf(nom, sizeof nom, "%s", nomseul(sortie));
    if (char *point = std::strrchr(nom, '.')) *point = '\0';
    const char *pourquoi = nullptr;
    char propose[matieres::TAILLECHEMIN];
    if (!identificateurc(nom, &pourquoi, propose, sizeof propose)) {
        std::snprintf(raison, sizeof raison, "%s : le tableau %s ne serait pas un nom C (%s) : %s.h",
                      sortie, nom, pourquoi, propose);
        echouer(nullptr);
    }
    const char *image = entree;
    if (obj::estobj(entree)) {
        FILE *modele = ouvrirlecture(entree);
        if (modele == nullptr) {
            std::snprintf(raison, sizeof raison, "%s : %s", entree, raisonsysteme(errno));
            echouer(nullptr);
        }
        static const char *images[matieres::MAXMATIERES];
        const int k = obj::imagesdumodele(modele, entree, images, matieres::MAXMATIERES, raison,
                                          sizeof raison);
        std::fclose(modele);
        if (k < 0) echouer(nullptr);
        image = k > 0 ? images[0] : nullptr;
        if (k > 1)
            imprimer(stderr,
                         "meshpress-texture : attention : %s : ses faces prennent %d images ; la "
                         "liste se dessine avec une seule texture liee : seule la premiere, %s, "
                         "est convertie.\n",
                         entree, k, images[0]);
    }
    if (image != nullptr && !texels::lire(image, raison, sizeof raison)) echouer(nullptr);
    FILE *f = ouvrirfichier(sortie, "wb");
    if (f == nullptr) {
        std::snprintf(raison, sizeof raison, "%s : %s", sortie, raisonsysteme(errno));
        echouer(nullptr);
    }
    if (image != nullptr)
        texels::ecrire(f, nom, nomseul(image));
    else
        std::fprintf(f, "/* %s: no face of it is textured with an image (map_Kd). */\n",
                     nomseul(entree));
    if (std::fclose(f) != 0) {
        std::snprintf(raison, sizeof raison, "%s : ecriture impossible", sortie);
        echouer(sortie);
    }
    if (dependances != nullptr) {
        FILE *d = ouvrirfichier(dependances, "wb");
        if (d == nullptr) {
            std::snprintf(raison, sizeof raison, "%s : %s", dependances, raisonsysteme(errno));
            echouer(sortie);
        }
        nommake(d, sortie);
        std::fputs(":", d);
        std::fputc(' ', d);
        nommake(d, entree);
        if (image != nullptr && image != entree) {
            std::fputc(' ', d);
            nommake(d, image);
        }
        std::fputc('\n', d);
        // A rule of its own for the image: make goes on when it is deleted or renamed.
        if (image != nullptr && image != entree) {
            nommake(d, image);
            std::fputs(":\n", d);
        }
        std::fclose(d);
    }
    return 0;
}
