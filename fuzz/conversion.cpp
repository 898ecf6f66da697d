// Fuzz target: the scanner's primitives against the C library's conversions on the fuzzer's bytes
// (a difference is a finding), then the whole conversion of those bytes, today's list then one with
// options, for memory errors and hangs.
#include <cstdlib>

#include "convertisseur.h"
#include "maillage.h"
#include "primitives.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char *>(donnees), taille);
    // Each kind of read over the whole text, then the directives the first bytes name.
    for (const std::string &d : {std::string("ffffffff"), std::string("iiiiiiii"), std::string("sssssmmm"),
                                 std::string("vtcvtcvl"), std::string("wwwddddd"), texte.substr(0, 8)})
        if (const std::string ecart = primitives::comparer(texte, d); !ecart.empty()) {
            std::fprintf(stderr, "the primitives differ from the C library: %s\n", ecart.c_str());
            std::abort();
        }
    FILE *entree = fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
    FILE *detection = fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
    FILE *sortie = std::fopen("/dev/null", "w");
    avectexture = 0;
    char raison[512];
    convertirfichier(entree, detection, sortie, "modele", "modele.txt", raison, sizeof raison);
    // Then as a list of the options the first byte chooses.
    primitives::choisiroptions(taille > 0 ? donnees[0] : 0);
    std::rewind(entree);
    std::rewind(detection);
    avectexture = 0;
    convertirfichier(entree, detection, sortie, "modele", "modele.txt", raison, sizeof raison);
    maillage::options = {false, false, 60, false, false, 1, false, false};
    maillage::demandee = false;
    std::fclose(entree);
    std::fclose(detection);
    std::fclose(sortie);
    return 0;
}
