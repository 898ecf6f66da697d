#include <cmath>
#include <cstdlib>
#include <cstring>

#include "convertisseur.h"
#include "maillage.h"
#include "messages.h"
#include "options.h"
#include "systeme.h"

namespace {

const char USAGE[] =
    "usage : meshpress [--normales[=lisses|plates]] [--angle=DEGRES] [--couleurs] [--compacte]\n"
    "                  [--echelle=FACTEUR|--echelle=ajuster] [--binaire] [--help] [--version]\n"
    "Convertit un modele (Wavefront OBJ, ou modele texte) en liste d'affichage pour la DS : un\n"
    "fichier C, base.h, qui definit le tableau u32 base[]. Le nom du modele puis le nom de base\n"
    "sont demandes sur la console ; ils peuvent venir d'un tube :\n"
    "  printf 'cube.obj\\ncube\\n' | meshpress\n"
    "Sans option, la liste est de triangles separes, sans normales ni couleurs. Les options\n"
    "l'ecrivent en mots hexadecimaux, sous une autre forme :\n"
    "  --normales[=lisses|plates]  une normale par sommet : les vn de l'OBJ, sinon calculees,\n"
    "                              lissees entre faces (par defaut) ou plates par face\n"
    "  --angle=DEGRES              lisse entre faces de moins de DEGRES (60 ; implique --normales)\n"
    "  --couleurs                  couleurs des sommets de l'OBJ, sinon Kd de chaque matiere\n"
    "  --compacte                  quads, bandes de triangles et commandes de sommet les plus\n"
    "                              courtes, sans perte\n"
    "  --echelle=FACTEUR           multiplie chaque coordonnee par FACTEUR\n"
    "  --echelle=ajuster           ramene le modele dans l'intervalle des sommets de la DS, la\n"
    "                              liste lui rendant sa taille (matrice d'echelle)\n"
    "  --binaire                   ecrit base.bin (mots u32 little-endian) au lieu de base.h\n"
    "Voir man meshpress.\n";

// What each option of the new lists was given as, to refuse one given again otherwise.
enum Normales { SANS, LISSES, PLATES };
Normales normales = SANS;
bool angledonne = false, echelledonnee = false;

// A real written in decimal, the whole text: [sign] digits [. digits] [e [sign] digits].
bool reel(const char *texte, double &valeur) {
    if (*texte == '\0' || std::strspn(texte, "0123456789.eE+-") != std::strlen(texte)) return false;
    char *fin;
    valeur = std::strtod(texte, &fin);
    return *fin == '\0' && std::isfinite(valeur);
}

// The value after "nom=", or nullptr when the argument is not that option with a value.
const char *valeur(const char *argument, const char *nom) {
    const size_t n = std::strlen(nom);
    return std::strncmp(argument, nom, n) == 0 && argument[n] == '=' ? argument + n + 1 : nullptr;
}

[[noreturn]] void refuser(const char *argument, const char *pourquoi) {
    refuservaleur(argument, pourquoi, "meshpress", USAGE);
}

// One option of the new lists into maillage::options; false for an argument that is none.
bool lireoption(const char *argument) {
    maillage::Options &o = maillage::options;
    const char *v;
    Normales voulues = SANS;
    if (std::strcmp(argument, "--normales") == 0) {
        voulues = LISSES;
    } else if ((v = valeur(argument, "--normales")) != nullptr) {
        voulues = std::strcmp(v, "lisses") == 0 ? LISSES : std::strcmp(v, "plates") == 0 ? PLATES : SANS;
        if (voulues == SANS) refuser(argument, "lisses ou plates attendu");
    } else if ((v = valeur(argument, "--angle")) != nullptr) {
        double angle;
        if (!reel(v, angle) || angle < 0 || angle > 180)
            refuser(argument, "un angle en degres de 0 a 180 attendu");
        if (angledonne && angle != o.angle) refuser(argument, "--angle deja donne autrement");
        angledonne = true;
        o.angle = angle;
        o.normales = true;
    } else if (std::strcmp(argument, "--couleurs") == 0) {
        o.couleurs = true;
    } else if (std::strcmp(argument, "--compacte") == 0) {
        o.compacte = true;
    } else if ((v = valeur(argument, "--echelle")) != nullptr) {
        double echelle = 1;
        const bool ajuster = std::strcmp(v, "ajuster") == 0;
        if (!ajuster && (!reel(v, echelle) || !(echelle > 0)))
            refuser(argument, "un reel positif ou ajuster attendu");
        if (echelledonnee && (ajuster != o.ajuster || echelle != o.echelle))
            refuser(argument, "--echelle deja donne autrement");
        echelledonnee = true;
        o.ajuster = ajuster;
        o.echelle = echelle;
    } else if (std::strcmp(argument, "--binaire") == 0) {
        o.binaire = true;
    } else {
        return false;
    }
    if (voulues != SANS) {
        if (normales != SANS && normales != voulues)
            refuser(argument, "--normales deja donne autrement");
        normales = voulues;
        o.normales = true;
        o.plates = voulues == PLATES;
    }
    maillage::demandee = true;
    return true;
}

} // namespace

int main(int argc, char **argv) {
    // Byte for byte from the first word: the usage reads the same on every system.
    preparerconsole();
    for (int i = 1; i < argc; ++i)
        if (!optioncommune(argv[i], "meshpress", USAGE) && !lireoption(argv[i]))
            refuserargument(argv[i], "meshpress", USAGE);
    convertisseur();
    return statutfinal();
}
