// Fuzz target: the animator's loader parsing arbitrary bytes into a vertex callback, for memory
// errors and hangs; no X server is needed.
#include "chargeur.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille) {
    FILE *f = fmemopen(const_cast<uint8_t *>(donnees), taille, "r"), *console = std::fopen("/dev/null", "w");
    analyserliste(f, [](float, float, float) {}, console);
    std::fclose(f);
    std::fclose(console);
    return 0;
}
