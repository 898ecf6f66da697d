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
#include "sortie.h"
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

// What make needs before c in a rule's name: a backslash before blanks and '#', '$' before '$'.
const char *echappement(char c) {
    return c == ' ' || c == '\t' || c == '#' ? "\\" : c == '$' ? "$" : "";
}

// A name as make reads it in a rule, into tampon; false when it does not fit.
bool nommake(const char *nom, char *tampon, size_t taille) {
    size_t n = 0;
    for (const char *c = nom; *c != '\0'; ++c) {
        const char *avant = echappement(*c);
        if (n + std::strlen(avant) + 2 > taille) return false;
        while (*avant != '\0')
            tampon[n++] = *avant++;
        tampon[n++] = *c;
    }
    tampon[n] = '\0';
    return true;
}

// The same, written whole whatever its length.
void ecriremake(FILE *f, const char *nom) {
    for (const char *c = nom; *c != '\0'; ++c) {
        std::fputs(echappement(*c), f);
        std::fputc(*c, f);
    }
}

// The texture files this program writes begin with one of its two comments.
bool texturesienne(const char *debut, size_t longueur) {
    const char *fin = static_cast<const char *>(std::memchr(debut, '\n', longueur));
    if (fin == nullptr || longueur < 3 || std::memcmp(debut, "/* ", 3) != 0) return false;
    const size_t n = static_cast<size_t>(fin - debut);
    const auto finit = [&](const char *motif) {
        const size_t m = std::strlen(motif);
        return n >= m && std::memcmp(debut + n - m, motif, m) == 0;
    };
    return finit(" texels in the DS's direct colour (5 bits each of red, green and") ||
           finit(": no face of it is textured with an image (map_Kd). */");
}

// The dependency files it writes begin with the rule of their texture file.
char regle[2 * matieres::TAILLECHEMIN + 2];
bool dependancessiennes(const char *debut, size_t longueur) {
    const size_t n = std::strlen(regle);
    return n > 1 && longueur >= n && std::memcmp(debut, regle, n) == 0;
}

} // namespace

int main(int argc, char **argv) {
    preparerconsole();
    argumentsenutf8(argc, argv);
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
    // Nothing is written over a file read, nor over a file this program did not write: the
    // arguments given in the wrong order destroy nothing.
    const char *lus[2 + matieres::MAXBIBLIOTHEQUES];
    int nlus = 0;
    lus[nlus++] = entree;
    if (image != nullptr && image != entree) lus[nlus++] = image;
    if (obj::estobj(entree))
        for (int i = 0; i < matieres::nombrebibliotheques; ++i)
            lus[nlus++] = matieres::bibliotheques[i];
    if (!sortiepermise(sortie, lus, nlus, texturesienne, raison, sizeof raison)) echouer(nullptr);
    if (dependances != nullptr) {
        if (std::strcmp(dependances, sortie) == 0) {
            std::snprintf(raison, sizeof raison,
                          "%s : la texture et ses dependances ne peuvent avoir le meme nom",
                          sortie);
            echouer(nullptr);
        }
        if (!nommake(sortie, regle, sizeof regle - 1)) {
            std::snprintf(raison, sizeof raison, "%s : nom trop long", sortie);
            echouer(nullptr);
        }
        std::strcat(regle, ":");
        if (!sortiepermise(dependances, lus, nlus, dependancessiennes, raison, sizeof raison))
            echouer(nullptr);
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
        std::fputs(regle, d);
        std::fputc(' ', d);
        ecriremake(d, entree);
        if (image != nullptr && image != entree) {
            std::fputc(' ', d);
            ecriremake(d, image);
        }
        std::fputc('\n', d);
        // A rule of its own for the image: make goes on when it is deleted or renamed.
        if (image != nullptr && image != entree) {
            ecriremake(d, image);
            std::fputs(":\n", d);
        }
        std::fclose(d);
    }
    return 0;
}
