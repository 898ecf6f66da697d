// Fuzz target: the fuzzer's bytes as an OBJ model, converted whole, today's list then one with
// options, for memory errors and hangs;
// and each of their words read as a real, held to strtof (a difference is a finding).
#include <cstdlib>

#include "convertisseur.h"
#include "maillage.h"
#include "primitives.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char *>(donnees), taille);
    for (size_t debut = 0; (debut = texte.find_first_not_of(" \t\n\r\v\f", debut)) != std::string::npos;) {
        const size_t fin = std::min(texte.find_first_of(" \t\n\r\v\f", debut), texte.size());
        if (const std::string ecart = primitives::comparerreel(texte.substr(debut, fin - debut)); !ecart.empty()) {
            std::fprintf(stderr, "the OBJ reader's real differs from strtof: %s\n", ecart.c_str());
            std::abort();
        }
        debut = fin;
    }
    FILE *entree = fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
    FILE *sortie = std::fopen("/dev/null", "w");
    char raison[512];
    convertirfichier(entree, nullptr, sortie, "modele", "modele.obj", raison, sizeof raison);
    // Then as a list of the options the first byte chooses.
    primitives::choisiroptions(taille > 0 ? donnees[0] : 0);
    std::rewind(entree);
    convertirfichier(entree, nullptr, sortie, "modele", "modele.obj", raison, sizeof raison);
    maillage::options = {false, false, 60, false, false, 1, false, false};
    maillage::demandee = false;
    std::fclose(entree);
    std::fclose(sortie);
    return 0;
}
