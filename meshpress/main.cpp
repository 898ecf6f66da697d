#include "convertisseur.h"
#include "messages.h"
#include "options.h"
#include "systeme.h"

namespace {

const char USAGE[] =
    "usage : meshpress [--help] [--version]\n"
    "Convertit un modele (Wavefront OBJ, ou modele texte) en liste d'affichage pour la DS : un\n"
    "fichier C, base.h, qui definit le tableau u32 base[]. Le nom du modele puis le nom de base\n"
    "sont demandes sur la console ; ils peuvent venir d'un tube :\n"
    "  printf 'cube.obj\\ncube\\n' | meshpress\n"
    "Voir man meshpress.\n";

} // namespace

int main(int argc, char **argv) {
    // Byte for byte from the first word: the usage reads the same on every system.
    preparerconsole();
    for (int i = 1; i < argc; ++i)
        if (!optioncommune(argv[i], "meshpress", USAGE))
            refuserargument(argv[i], "meshpress", USAGE);
    convertisseur();
    return statutfinal();
}
