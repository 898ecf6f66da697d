// Fuzz target: the whole conversion of a text model, from its bytes to the display-list text,
// checked against the first converter: a crash, a sanitizer report or any difference in the
// output is a finding.
#include <cstdio>
#include <cstdlib>

#include "memoire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    const std::string attendu = memoire::convertir(donnees, taille, true);
    const std::string obtenu = memoire::convertir(donnees, taille, false);
    if (obtenu != attendu) {
        std::fprintf(stderr, "outputs differ (%zu and %zu bytes)\n", attendu.size(), obtenu.size());
        std::abort();
    }
    return 0;
}
