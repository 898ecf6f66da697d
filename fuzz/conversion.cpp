// Fuzz target: the whole conversion of a text model, from its bytes to the display-list text,
// checked against the first converter: a crash, a sanitizer report or any difference in the
// output is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "convertisseur.h"
#include "modele.h"
#include "oracle.h"

namespace {

// Runs one converter on the bytes; the text it writes, in malloc'd memory.
char *convertir(const uint8_t *donnees, size_t taille, bool parloracle, size_t &longueur) {
    FILE *entree = fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
    FILE *detection = fmemopen(const_cast<uint8_t *>(donnees), taille, "r");
    char *texte = nullptr;
    FILE *sortie = open_memstream(&texte, &longueur);
    if (parloracle) {
        oracle::remettreazero();
        oracle::convertir(entree, detection, sortie, "modele");
    } else {
        modele::remettreazero();
        avectexture = 0;
        convertirfichier(entree, detection, sortie, "modele");
    }
    std::fclose(sortie);
    std::fclose(entree);
    std::fclose(detection);
    return texte;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    if (taille == 0) return 0; // fmemopen takes no empty buffer
    size_t n1 = 0, n2 = 0;
    char *attendu = convertir(donnees, taille, true, n1);
    char *obtenu = convertir(donnees, taille, false, n2);
    if (n1 != n2 || std::memcmp(attendu, obtenu, n1) != 0) {
        std::fprintf(stderr, "outputs differ (%zu and %zu bytes)\n", n1, n2);
        std::abort();
    }
    std::free(attendu);
    std::free(obtenu);
    return 0;
}
